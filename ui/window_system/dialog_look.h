#pragma once

#include <QProxyStyle>

class QStyleOptionGroupBox;

namespace lookwell {

// The dialogs' look for the whole application, set once the application
// object exists and before any window does: the three-dimensional look for
// dialog controls, and the dialog font as the application's font, so that
// text laid out before a control knows its dialog (an edit field lays out its
// empty text at once) uses the same face and no second face is looked up.
void useDialogLook();

// The desktop's own style, with the classic etched frame for group boxes,
// drawn with lines, and their titles set in from the frame's left corner.
// (Qt's Fusion style draws the frame from an image file, and reading the first
// image file makes Qt load every image-format plugin.)
class ThreeDimensionalLook : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;

private:
    void drawEtchedFrame(const QStyleOptionGroupBox& box, QPainter& painter,
                         const QWidget* widget) const;
};

} // namespace lookwell
