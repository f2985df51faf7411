#pragma once

#include <QDialog>

namespace lookwell {

// The About box (template 100). OK or cancel ends it; it changes nothing else.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace lookwell
