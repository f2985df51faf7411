#include "ui/address_field_edit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lookwell {
namespace {

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kLineEditTextMargin = 2;

} // namespace

AddressFieldEdit::AddressFieldEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void AddressFieldEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && typed.at(0).isPrint() &&
                         (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    if (inserts && !fitsVisibleWidth(textAfterTyping(typed))) {
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
