#include "app/lookup_app.h"

#include "ui/lookup_dialog.h"
#include "ui/window_system/dialog_look.h"

namespace lookwell {

LookupApp::LookupApp(int& argc, char** argv, const ResolverFactory& makeResolver,
                     std::function<void()> registerProgram, WindowServices services)
    : QApplication(argc, argv), resolver_(makeResolver(poster_)),
      registerProgram_(std::move(registerProgram)), services_(services) {}

LookupApp::~LookupApp() = default;

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

// The dialog is the only window; message boxes it shows are owned by it.
void LookupApp::runMainDialog() {
    LookupDialog dialog(state_, *resolver_, services_);
    dialog.exec();
    // The resolver writes its reply into the dialog's buffer and posts it to the
    // dialog, so a request still pending is cancelled before the dialog goes.
    cancelAtExit(state_, *resolver_);
}

int LookupApp::exitInstance() {
    cancelAtExit(state_, *resolver_);
    resolver_->cleanup();
    return 0; // no message loop ran, so nothing set another code
}

} // namespace lookwell
