#include "app/desktop_platform.h"

#include "app/display_probe.h"

#include <QtGlobal>

#include <cstdlib>

namespace lookwell {

void choosePlatformForDesktop(const CommandLine& commandLine) {
    // Qt 6.8's Wayland client brought a title bar decoration made for GNOME.
    constexpr bool kQtDecoratesForGnome = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
    if (const auto platform =
            platformInsteadOfQtsChoice(commandLine, displayEnvironmentFromProcess(),
                                       SocketDisplayProbe(), kQtDecoratesForGnome)) {
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    }
}

} // namespace lookwell
