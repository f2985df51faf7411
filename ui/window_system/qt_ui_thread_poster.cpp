#include "ui/window_system/qt_ui_thread_poster.h"

namespace lookwell {

void QtUiThreadPoster::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

} // namespace lookwell
