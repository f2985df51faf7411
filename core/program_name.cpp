#include "core/program_name.h"

namespace lookwell {

std::string programName(std::string_view executablePath) {
    std::string_view name = executablePath.substr(executablePath.rfind('/') + 1);
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

} // namespace lookwell
