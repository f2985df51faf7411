#include "core/command_line.h"

#include "version_info.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lookwell {

namespace {

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// Qt reads these itself (QGuiApplication, QApplication and the xcb plugin), with
// one dash or two; -style, -stylesheet and -qmljsdebugger also come as -name=value.
constexpr std::array kQtOptions{
    QtOption{"-platform", true},
    QtOption{"-platformpluginpath", true},
    QtOption{"-platformtheme", true},
    QtOption{"-plugin", true},
    QtOption{"-qwindowgeometry", true},
    QtOption{"-qwindowicon", true},
    QtOption{"-qwindowtitle", true},
    QtOption{"-geometry", true},
    QtOption{"-title", true},
    QtOption{"-icon", true},
    QtOption{"-session", true},
    QtOption{"-display", true},
    QtOption{"-name", true},
    QtOption{"-style", true},
    QtOption{"-stylesheet", true},
    QtOption{"-qmljsdebugger", true},
    QtOption{"-reverse", false},
    QtOption{"-widgetcount", false},
    QtOption{"-sync", false},
    QtOption{"-nograb", false},
    QtOption{"-dograb", false},
    QtOption{"-testability", false},
};

const QtOption* findQtOption(std::string_view name) {
    const auto* found =
        std::find_if(kQtOptions.begin(), kQtOptions.end(),
                     [name](const QtOption& option) { return option.name == name; });
    return found == kQtOptions.end() ? nullptr : found;
}

// -style=Fusion and the like: the three options Qt also reads with "=".
bool takesJoinedValue(std::string_view argument) {
    const std::string_view name = argument.substr(0, argument.find('='));
    return name.size() < argument.size() &&
           (name == "-style" || name == "-stylesheet" || name == "-qmljsdebugger");
}

CommandLine refuse(std::string reason) {
    CommandLine refused;
    refused.action = CommandLine::Action::Refuse;
    refused.refusal = std::move(reason);
    return refused;
}

void remember(CommandLine& commandLine, std::string_view option, const std::string& value) {
    if (option == "-platform") {
        commandLine.platform = value;
    } else if (option == "-display") {
        commandLine.display = value;
    }
}

constexpr char kUsage[] =
    "Usage: lookwell [OPTION]...\n"
    "Looks up Internet hosts: a host name to its IPv4 address, an address to its host name.\n"
    "\n"
    "  -h, --help              show this help and exit\n"
    "      --version           show the version and exit\n"
    "  -platform NAME[:OPTS]   Qt's window-system plugin: xcb, wayland, offscreen, vnc\n"
    "  -display DISPLAY        the X display to open instead of $DISPLAY\n"
    "  -geometry WxH+X+Y       the window's size and place\n"
    "  -style NAME             Qt's widget style, for example Fusion\n"
    "  -reverse                lay the window out from right to left\n"
    "Qt's other options are accepted too (see Qt's documentation).\n"
    "Exit status: 0 normally, 1 when no display can be reached, 2 for a bad command line.\n";

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            commandLine.action = CommandLine::Action::ShowHelp;
            return commandLine;
        }
        if (argument == "--version") {
            commandLine.action = CommandLine::Action::ShowVersion;
            return commandLine;
        }
        std::string_view name = argument;
        if (name.starts_with("--")) {
            name.remove_prefix(1);
        }
        const QtOption* option = findQtOption(name);
        if (option == nullptr && takesJoinedValue(name)) {
            continue;
        }
        if (option == nullptr) {
            return refuse(argument.starts_with("-") ? "unknown option '" + argument + "'"
                                                    : "unexpected argument '" + argument + "'");
        }
        if (option->takesValue) {
            if (i + 1 == arguments.size()) {
                return refuse("option '" + argument + "' needs a value");
            }
            remember(commandLine, option->name, arguments[++i]);
        }
    }
    return commandLine;
}

std::optional<TextAnswer> answerWithoutWindow(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        return TextAnswer{kUsage, "", 0};
    case CommandLine::Action::ShowVersion:
        return TextAnswer{std::string("lookwell ") + version::kFileVersion + "\n", "", 0};
    case CommandLine::Action::Refuse:
        return TextAnswer{"",
                          "lookwell: " + commandLine.refusal +
                              "\nTry 'lookwell --help' for more information.\n",
                          2};
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace lookwell
