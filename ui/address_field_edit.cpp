#include "ui/address_field_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace lookwell {
namespace {

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kLineEditTextMargin = 2;

bool isDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Text a key would insert; Qt inserts nothing for Control combinations.
QString typedText(const QKeyEvent& event) {
    const QString text = event.text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint();
    const bool command = (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
    return printable && !command ? text : QString();
}

} // namespace

AddressFieldEdit::AddressFieldEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void AddressFieldEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = typedText(*event);
    if (!typed.isEmpty() && !takesTyped(typed)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Text composed in an input method is typed text too.
void AddressFieldEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (takesTyped(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent refused(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&refused);
}

bool AddressFieldEdit::takesTyped(const QString& typed) const {
    return isDigits(typed) && fitsVisibleWidth(textAfterTyping(typed));
}

QString AddressFieldEdit::textAfterTyping(const QString& typed) const {
    QString result = text();
    if (hasSelectedText()) {
        return result.replace(selectionStart(), selectedText().size(), typed);
    }
    return result.insert(cursorPosition(), typed);
}

bool AddressFieldEdit::fitsVisibleWidth(const QString& candidate) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int visible =
        contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
    return fontMetrics().horizontalAdvance(candidate) <= visible;
}

} // namespace lookwell
