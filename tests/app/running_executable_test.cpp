#include "app/running_executable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lookwell {
namespace {

TEST(RunningExecutablePath, NamesThisVeryProgram) {
    const std::optional<std::string> path = runningExecutablePath();
    ASSERT_TRUE(path.has_value());
    EXPECT_TRUE(path->starts_with('/'));
    struct stat named = {};
    struct stat running = {};
    ASSERT_EQ(stat(path->c_str(), &named), 0);
    ASSERT_EQ(stat("/proc/self/exe", &running), 0);
    EXPECT_EQ(named.st_ino, running.st_ino);
    EXPECT_EQ(named.st_dev, running.st_dev);
}

} // namespace
} // namespace lookwell
