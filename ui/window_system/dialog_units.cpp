#include "ui/window_system/dialog_units.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

namespace lookwell {
namespace {

constexpr int kPointSize = 9;
const QStringList kTemplateFamilies{QStringLiteral("MS PGothic"),
                                    QStringLiteral(u"ＭＳ Ｐゴシック")};
const QStringList kStandIns{QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック")};

bool isTemplateFamily(const QString& family) {
    return kTemplateFamilies.contains(family) || kStandIns.contains(family);
}

// a * b / c rounded to the nearest integer, halves away from zero.
int scaleRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

QFont dialogFont() {
    for (const QString& family : kTemplateFamilies) {
        QFont::insertSubstitutions(family, kStandIns);
    }
    QFont font(kTemplateFamilies, kPointSize);
    if (isTemplateFamily(QFontInfo(font).family())) {
        return font;
    }
    QFont fallback = QApplication::font();
    fallback.setPointSize(kPointSize);
    return fallback;
}

// The average width is measured over the 52 letters and rounded, as the
// template's units were defined; a font's own average width field counts
// full-width glyphs in a Japanese font and comes out far too wide.
DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (letters / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::x(int units) const {
    return scaleRounded(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const {
    return scaleRounded(units, baseHeight_, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return {x(left), y(top), x(width), y(height)};
}

QSize DialogUnits::size(int width, int height) const {
    return {x(width), y(height)};
}

} // namespace lookwell
