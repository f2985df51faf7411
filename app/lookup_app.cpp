#include "app/lookup_app.h"

#include "app/running_executable.h"
#include "core/program_name.h"
#include "ui/lookup_dialog.h"
#include "ui/window_system/dialog_look.h"

namespace lookwell {

LookupApp::LookupApp(int& argc, char** argv, const ResolverFactory& makeResolver,
                     std::function<void()> registerProgram, WindowServices services)
    : QApplication(argc, argv), registerProgram_(std::move(registerProgram)), services_(services) {
    // Built here, not in the member list, so that poster_ exists whatever the
    // members' order; the destructor ends it first for the same reason.
    resolver_ = makeResolver(poster_);
    // Named after the executable itself: argv[0] is whatever the caller chose.
    if (const auto path = runningExecutablePath()) {
        setApplicationName(QString::fromStdString(programName(*path)));
    }
}

// The resolver posts through poster_ until it is gone.
LookupApp::~LookupApp() {
    resolver_.reset();
}

bool LookupApp::startup() {
    if (resolver_->startup() != 0) {
        services_.messages.show(nullptr, loadText(text::kResolverStartError), Severity::Error);
        return false;
    }
    state_.pending = 0;
    useDialogLook();
    registerProgram_(); // whatever it reports changes nothing here
    runMainDialog();
    return false;
}

// The dialog is the only window; message boxes it shows are owned by it. A
// request still pending is cancelled as the dialog ends, before its reply
// buffer goes (LookupRequests does that), so exit finds nothing left to cancel.
void LookupApp::runMainDialog() {
    LookupDialog dialog(state_, *resolver_, services_);
    dialog.exec();
}

int LookupApp::exitInstance() {
    cancelAtExit(state_, *resolver_);
    resolver_->cleanup();
    return 0; // no message loop ran, so nothing set another code
}

} // namespace lookwell
