#pragma once

#include <QLineEdit>

namespace lookwell {

// An address field: it takes digits only, and, because it does not scroll, no
// typed character once its visible width is full. It has no length limit:
// text the program sets (Paste, a reply) is never cut.
class AddressFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AddressFieldEdit(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString textAfterTyping(const QString& typed) const;
    bool fitsVisibleWidth(const QString& text) const;
};

} // namespace lookwell
