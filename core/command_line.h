#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lookwell {

// What the command line asks for. Lookwell's own options are answered before
// any window exists; Qt's own options are left in place for Qt.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    std::string refusal;  // why the command line was refused
    std::string platform; // the value of Qt's -platform, when given
    std::string display;  // the value of Qt's -display, when given
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What the program answers without opening a window: the texts for standard
// output and standard error and the exit status. None when it is to run.
struct TextAnswer {
    std::string out;
    std::string err;
    int exitStatus = 0;
};
std::optional<TextAnswer> answerWithoutWindow(const CommandLine& commandLine);

} // namespace lookwell
