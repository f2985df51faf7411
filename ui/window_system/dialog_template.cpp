#include "ui/window_system/dialog_template.h"

#include <QEvent>
#include <QLabel>
#include <QVariant>

#include <algorithm>

namespace lookwell {
namespace {

// The width QLabel::sizeHint() gives a plain label without frame or margin,
// measured once where the hint lays the text out three times. Until the label
// has a buddy, its '&' counts as a character, as in the hint.
int textWidth(const QLabel& label) {
    constexpr int kUnbounded = 2000;
    return label.fontMetrics()
        .boundingRect(QRect(0, 0, kUnbounded, kUnbounded), Qt::AlignLeft, label.text())
        .width();
}

// A title bar that the window system leaves to the client (Qt's own on a
// compositor without server-side decorations) may offer to maximize a window
// whatever its size constraints; a fixed-size dialog turns the state down.
class RefusesToGrow final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        constexpr Qt::WindowStates kLarger = Qt::WindowMaximized | Qt::WindowFullScreen;
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && (window->windowState() & kLarger)) {
            window->setWindowState(window->windowState() & ~kLarger);
        }
        return false;
    }
};

} // namespace

DialogTemplate::DialogTemplate(QDialog& dialog, int width, int height)
    : dialog_(dialog), font_(dialogFont()), units_(font_) {
    dialog_.setFont(font_);
    dialog_.setFixedSize(units_.size(width, height));
    dialog_.installEventFilter(new RefusesToGrow(&dialog_));
}

void DialogTemplate::position(QWidget& control, int id, const char* name,
                              const QRect& place) const {
    control.setObjectName(QString::fromLatin1(name));
    control.setProperty("controlId", id);
    QRect geometry = units_.rect(place.x(), place.y(), place.width(), place.height());
    // The stand-in fonts are wider for their average character than the
    // template's font, so a label exactly as wide as the template says would cut
    // its last letters; it takes at least its text's width instead.
    if (const auto* label = qobject_cast<const QLabel*>(&control);
        label != nullptr && !label->text().isEmpty()) {
        geometry.setWidth(std::max(geometry.width(), textWidth(*label)));
    }
    control.setGeometry(geometry);
}

} // namespace lookwell
