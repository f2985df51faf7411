#pragma once

#include <functional>
#include <string>

namespace lookwell::test_support {

struct IsolatedRun {
    std::string skipReason; // empty when the body ran
    std::string report;     // what the body returned
};

// Runs `body` in a child process with a private mount namespace in which
// `directory` is a fresh tmpfs mounted with `options`, so a test can make a store
// read-only or full without privilege over the real file system. Without
// permission for a mount namespace (not root, user namespaces disabled) the body
// does not run and skipReason says why.
IsolatedRun runOnPrivateTmpfs(const std::string& directory, const std::string& options,
                              const std::function<std::string()>& body);

// Inside such a body: makes `directory`'s tmpfs read-only.
bool remountReadOnly(const std::string& directory);

} // namespace lookwell::test_support
