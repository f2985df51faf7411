#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace lookwell::test_support {

// One environment variable, given back as it was when this goes.
class ScopedEnvironment {
public:
    // Sets `name` to `value`, or unsets it for a null value.
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
        set(value);
    }
    ~ScopedEnvironment() { set(saved_ ? saved_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const char* value) {
        value != nullptr ? setenv(name_.c_str(), value, 1) : unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace lookwell::test_support
