#include "core/program_name.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

TEST(ProgramName, IsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(programName("/usr/bin/lookwell"), "lookwell");
    EXPECT_EQ(programName("/x/Lookwell.bin"), "Lookwell");
    EXPECT_EQ(programName("/x/LOOKWELL.EXE"), "LOOKWELL");
    EXPECT_EQ(programName("/opt/v1.7/look.well.bin"), "look.well");
    EXPECT_EQ(programName("/opt/v1.7/lookwell"), "lookwell");
    EXPECT_EQ(programName("/x/.lookwell"), ".lookwell");
    EXPECT_EQ(programName("lookwell"), "lookwell");
}

} // namespace
} // namespace lookwell
