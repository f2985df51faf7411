#pragma once

#include <QFont>
#include <QRect>

namespace lookwell {

// The dialogs' font: the templates ask for MS PGothic at 9 points. Where it is
// missing, its metric-compatible stand-in IPAPGothic takes its place, and when
// neither is installed, the desktop's own font at 9 points.
QFont dialogFont();

// Turns template coordinates (dialog units) into pixels for one font: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace lookwell
