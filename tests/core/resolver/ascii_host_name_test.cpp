#include "core/resolver/ascii_host_name.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

TEST(AsciiHostName, AsciiGoesAsTypedOtherNamesInTheirAsciiFormRejectedOnesAsTyped) {
    for (const std::string ascii : {"Www.Example.COM", "under_score..", " spaced ", ""}) {
        EXPECT_EQ(asciiHostName(ascii), ascii);
    }
    EXPECT_EQ(asciiHostName("Bücher.Lookwell.TEST"), "xn--bcher-kva.lookwell.test");
    EXPECT_EQ(asciiHostName("例え.テスト"), "xn--r8jz45g.xn--zckzah");
    // A disallowed symbol, Latin-1 rather than UTF-8, a label too long once converted.
    for (const std::string& rejected : {std::string("☃.test"), std::string("b\xFC") + "cher.test",
                                        std::string(60, 'x') + "ü.de"}) {
        EXPECT_EQ(asciiHostName(rejected), rejected);
    }
}

} // namespace
} // namespace lookwell
