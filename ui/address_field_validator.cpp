#include "ui/address_field_validator.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace lookwell {
namespace {

// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kLineEditTextMargin = 2;

bool allDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

AddressFieldValidator::AddressFieldValidator(QLineEdit& field)
    : QValidator(&field), field_(field) {}

QValidator::State AddressFieldValidator::validate(QString& input, int&) const {
    if (!allDigits(input)) {
        return Invalid;
    }
    // Deleting stays possible even in a field whose text is wider than its box.
    const bool grows = input.size() > field_.text().size();
    return grows && !fitsVisibleWidth(input) ? Invalid : Acceptable;
}

bool AddressFieldValidator::fitsVisibleWidth(const QString& text) const {
    QStyleOptionFrame option;
    option.initFrom(&field_);
    option.lineWidth = field_.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field_);
    const QRect contents =
        field_.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field_);
    const QMargins margins = field_.textMargins();
    const int visible =
        contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
    return field_.fontMetrics().horizontalAdvance(text) <= visible;
}

} // namespace lookwell
