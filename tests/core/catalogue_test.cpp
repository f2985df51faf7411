#include "core/catalogue.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

TEST(Catalogue, HoldsTheProgramTextsExactly) {
    EXPECT_EQ(loadText(101), "&About Lookwell...");
    EXPECT_EQ(loadText(103), "Lookwell");
    EXPECT_EQ(loadText(104), "Lookwell [Searching entry...]");
    EXPECT_EQ(loadText(105), "Unknown error.");
    EXPECT_EQ(loadText(106), "IP address format error.");
    EXPECT_EQ(loadText(107), "Winsock initialize error.");
    EXPECT_EQ(loadText(108), "Can't open clipboard.");
    EXPECT_EQ(loadText(112), "Class-A");
    EXPECT_EQ(loadText(113), "Class-B");
    EXPECT_EQ(loadText(114), "Class-C");
    EXPECT_EQ(loadText(115), "Unknown");
    EXPECT_EQ(loadText(256), "Network may down.");
    EXPECT_EQ(loadText(257), "Insufficient buffer.");
    EXPECT_EQ(loadText(258), "Host not found.");
    EXPECT_EQ(loadText(259), "DNS Server not found.");
    EXPECT_EQ(loadText(260), "Unrecoverable Error.");
    EXPECT_EQ(loadText(261), "No entry found.");
}

TEST(Catalogue, IdsWithoutAnEntryGiveAnEmptyText) {
    int entries = 0;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        entries += loadText(id).empty() ? 0 : 1;
    }
    EXPECT_EQ(entries, 17);
    for (unsigned id : {0u, 100u, 102u, 109u, 111u, 116u, 128u, 130u, 131u, 255u, 262u}) {
        EXPECT_EQ(loadText(id), "") << id;
    }
    // An empty result must not depend on what was loaded before it.
    EXPECT_EQ(loadText(258), "Host not found.");
    EXPECT_EQ(loadText(102), "");
}

} // namespace
} // namespace lookwell
