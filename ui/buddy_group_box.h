#pragma once

#include <QGroupBox>

namespace lookwell {

// A group box whose mnemonic moves the focus to a control beside it. The dialog's
// controls are siblings of their group boxes, as in the templates, so the
// group box's own behaviour (focus a child of its own) would find nothing.
class BuddyGroupBox : public QGroupBox {
    Q_OBJECT
public:
    BuddyGroupBox(const QString& title, QWidget* parent);
    void setBuddy(QWidget* buddy) { buddy_ = buddy; }

protected:
    bool event(QEvent* event) override;

private:
    QWidget* buddy_ = nullptr;
};

} // namespace lookwell
