#pragma once

#include <QLineEdit>

namespace lookwell {

// An address field: typed text is digits only and, because the field does not
// scroll, ends once the visible width is full. Text pasted or dropped into it
// enters as it is (the address check answers it later), and text the program
// sets is never cut: the field has no length limit.
class AddressFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit AddressFieldEdit(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool takesTyped(const QString& typed) const;
    QString textAfterTyping(const QString& typed) const;
    bool fitsVisibleWidth(const QString& text) const;
};

} // namespace lookwell
