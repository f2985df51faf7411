#pragma once

#include "core/lookup_requests.h"
#include "core/resolver.h"
#include "ui/window_system/qt_ui_thread_poster.h"
#include "ui/window_system/window_services.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lookwell {

// The program's application object: it starts and stops the resolver library,
// owns the one LookupState, records the program for the update checker and runs
// the main dialog. main() builds it, runs startup(), then exitInstance().
class LookupApp : public QApplication {
    Q_OBJECT
public:
    using ResolverFactory = std::function<std::unique_ptr<Resolver>(UiThreadPoster&)>;
    // Records the program at the path given (null when it cannot be read).
    using ProgramRegistration = std::function<void(const char* executablePath)>;

    LookupApp(int& argc, char** argv, const ResolverFactory& makeResolver,
              ProgramRegistration registerProgram,
              WindowServices services = WindowServices::desktop());
    ~LookupApp() override;

    // Runs the main dialog to its end. Always false: no message loop follows.
    bool startup();
    // Cancels a request still pending and stops the resolver library, also
    // after a failed start-up; returns the process exit code.
    int exitInstance();

private:
    void runMainDialog();

    LookupState state_;
    QtUiThreadPoster poster_;
    std::unique_ptr<Resolver> resolver_;
    ProgramRegistration registerProgram_;
    std::optional<std::string> executablePath_;
    WindowServices services_;
};

} // namespace lookwell
