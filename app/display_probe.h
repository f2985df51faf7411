#pragma once

#include "core/display_reachability.h"

namespace lookwell {

// DISPLAY, WAYLAND_DISPLAY and the rest as this process has them.
DisplayEnvironment displayEnvironmentFromProcess();

// Asks the sockets themselves: only a connection is tried, no protocol is spoken.
class SocketDisplayProbe final : public DisplayProbe {
public:
    bool x11DisplayListens(const std::string& display) const override;
    bool waylandDisplayListens(const std::string& display,
                               const std::string& runtimeDir) const override;
};

} // namespace lookwell
