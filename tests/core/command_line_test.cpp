#include "core/command_line.h"
#include "version_info.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

using Action = CommandLine::Action;

CommandLine parse(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"lookwell"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return parseCommandLine(arguments);
}

TEST(CommandLine, HelpAndVersionAreAnsweredWithoutAWindow) {
    for (const char* help : {"--help", "-h"}) {
        const auto answer = answerWithoutWindow(parse({"-reverse", help}));
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->exitStatus, 0);
        EXPECT_TRUE(answer->out.starts_with("Usage: lookwell [OPTION]...\n"));
        EXPECT_NE(answer->out.find("\n  -h, --help "), std::string::npos);
        EXPECT_NE(answer->out.find("\n      --version "), std::string::npos);
        EXPECT_EQ(answer->err, "");
    }
    const auto version = answerWithoutWindow(parse({"--version"}));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->out, std::string("lookwell ") + version::kFileVersion + "\n");
    EXPECT_EQ(version->exitStatus, 0);
}

TEST(CommandLine, RefusesWhatNeitherLookwellNorQtReads) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "lookwell: unknown option '--frobnicate'\n"},
        {{"-v"}, "lookwell: unknown option '-v'\n"},
        {{"example.org"}, "lookwell: unexpected argument 'example.org'\n"},
        {{"-platform=xcb"}, "lookwell: unknown option '-platform=xcb'\n"},
        {{"-reverse", "-display"}, "lookwell: option '-display' needs a value\n"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto answer = answerWithoutWindow(parse(arguments));
        ASSERT_TRUE(answer) << error;
        EXPECT_EQ(answer->err, error + "Try 'lookwell --help' for more information.\n");
        EXPECT_EQ(answer->out, "");
        EXPECT_EQ(answer->exitStatus, 2);
    }
}

TEST(CommandLine, LeavesQtsOptionsToQtAndNotesPlatformAndDisplay) {
    const auto commandLine = parse({"-platform", "offscreen", "--display", ":3", "-style=Fusion",
                                    "-reverse", "-geometry", "+1+1", "-qwindowtitle", "--help"});
    EXPECT_EQ(commandLine.action, Action::Run);
    EXPECT_EQ(commandLine.platform, "offscreen");
    EXPECT_EQ(commandLine.display, ":3");
    EXPECT_FALSE(answerWithoutWindow(commandLine));
    EXPECT_FALSE(answerWithoutWindow(parse({})));
}

} // namespace
} // namespace lookwell
