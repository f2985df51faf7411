#pragma once

namespace lookwell::test_support {

// Makes the next renameat() of this process write one byte to `readyFd` and then
// wait for ever instead of renaming: a writer caught between writing its
// temporary file and renaming it, ready to be killed.
void stopAtNextRename(int readyFd);

} // namespace lookwell::test_support
