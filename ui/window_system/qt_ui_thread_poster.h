#pragma once

#include "core/ui_thread_poster.h"

#include <QObject>

namespace lookwell {

// Posts tasks onto the event queue of the thread this object lives in (build it
// on the user-interface thread). Tasks still queued when it is destroyed are
// dropped, never run.
class QtUiThreadPoster : public QObject, public UiThreadPoster {
    Q_OBJECT
public:
    using QObject::QObject;
    void post(std::function<void()> task) override;
};

} // namespace lookwell
