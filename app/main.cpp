#include "app/desktop_platform.h"
#include "app/display_failure_guard.h"
#include "app/lookup_app.h"
#include "core/command_line.h"
#include "core/resolver/posix_resolver.h"
#include "registration/lookwell_registration.h"
#include "version_info.h"

#include <cstdio>
#include <memory>
#include <optional>

// Kept in the binary for `strings` and file managers to find.
[[gnu::used]] static const char* const kVersionRecord = lookwell::version::kRecord;

int main(int argc, char* argv[]) {
    const auto commandLine = lookwell::parseCommandLine({argv, argv + argc});
    if (const auto answer = lookwell::answerWithoutWindow(commandLine)) {
        std::fputs(answer->out.c_str(), stdout);
        std::fputs(answer->err.c_str(), stderr);
        return answer->exitStatus;
    }
    // Ties the window to its desktop entry (Wayland's app id, the taskbar's icon).
    lookwell::LookupApp::setDesktopFileName(QString::fromLatin1(lookwell::version::kAppId));
    lookwell::choosePlatformForDesktop(commandLine);
    std::optional<lookwell::DisplayFailureGuard> displayGuard(std::in_place, commandLine);
    lookwell::LookupApp app(
        argc, argv,
        [](lookwell::UiThreadPoster& poster) {
            return std::make_unique<lookwell::PosixResolver>(poster);
        },
        [](const char* executablePath) { lookwell::RegisterWithTidemark(executablePath); });
    displayGuard.reset();
    app.startup();
    return app.exitInstance();
}
