#include "ui/window_system/resources.h"

#include <QGuiApplication>
#include <QScreen>

// The resources are compiled into a static library, so nothing would pull them
// into the program unless something names them.
static void initLookwellResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(lookwell);
        return true;
    }();
    (void)registered;
}

namespace lookwell {

QIcon applicationIconForDepth(int screenDepth) {
    initLookwellResources();
    const QString colours = screenDepth < 8 ? QStringLiteral("16") : QStringLiteral("256");
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addFile(
            QStringLiteral(":/lookwell/lookwell-%1x%1-%2-colours.xpm").arg(size).arg(colours),
            QSize(size, size));
    }
    return icon;
}

QIcon applicationIcon() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return applicationIconForDepth(screen != nullptr ? screen->depth() : 32);
}

QPixmap loadBitmap(unsigned id) {
    initLookwellResources();
    switch (id) {
    case resource::kPasteBitmap:
        return QPixmap(QStringLiteral(":/lookwell/bitmap-130-paste.xpm"));
    case resource::kCopyBitmap:
        return QPixmap(QStringLiteral(":/lookwell/bitmap-131-copy.xpm"));
    default:
        return {};
    }
}

} // namespace lookwell
