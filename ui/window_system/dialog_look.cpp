#include "ui/window_system/dialog_look.h"

#include "ui/window_system/dialog_units.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <qdrawutil.h>

namespace lookwell {

void useDialogLook() {
    QApplication::setStyle(new ThreeDimensionalLook);
    QApplication::setFont(dialogFont());
}

void ThreeDimensionalLook::drawComplexControl(ComplexControl control,
                                              const QStyleOptionComplex* option, QPainter* painter,
                                              const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr || !(box->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    drawEtchedFrame(*box, *painter, widget);
    QStyleOptionGroupBox title(*box);
    title.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &title, painter, widget);
}

// The classic group box sets its title this far in from the frame's left
// edge, so that the top line starts at the corner.
constexpr int kTitleIndent = 7;

QRect ThreeDimensionalLook::subControlRect(ComplexControl control,
                                           const QStyleOptionComplex* option, SubControl subControl,
                                           const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control == CC_GroupBox && subControl == SC_GroupBoxLabel) {
        rect.moveLeft(option->rect.left() + kTitleIndent);
    }
    return rect;
}

// The frame's top line runs through the middle of the title, broken where
// the title stands.
void ThreeDimensionalLook::drawEtchedFrame(const QStyleOptionGroupBox& box, QPainter& painter,
                                           const QWidget* widget) const {
    QRect frame = box.rect;
    QRegion visible(box.rect);
    if (!box.text.isEmpty()) {
        const QRect title = subControlRect(CC_GroupBox, &box, SC_GroupBoxLabel, widget);
        frame.setTop(title.center().y());
        visible -= title.adjusted(-2, 0, 2, 0);
    }
    // Clipped to a region, Qt draws every pixel of the lines through its slow
    // path; clipped to one rectangle at a time, through its fast one.
    for (const QRect& part : visible) {
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        qDrawShadeRect(&painter, frame, box.palette, true, 1, 0);
        painter.restore();
    }
}

} // namespace lookwell
