#include "ui/address_field_edit.h"

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

} // namespace

AddressFieldEdit::AddressFieldEdit(QWidget* parent) : QLineEdit(parent) {}

// Only typing is filtered, as in the platform's number-only edit control:
// pasted or dropped text enters as it is, and the address rules judge it.
void AddressFieldEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && typed.at(0).isPrint() &&
                         (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (inserts && (!isDigits(typed) || !fitsVisibleWidth(textAfterTyping(typed)))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
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
