#pragma once

#include "core/resolver.h"

#include <string>
#include <vector>

namespace lookwell::test_support {

// A Resolver that only records what it is asked; tests deliver replies themselves.
class FakeResolver : public Resolver {
public:
    struct Call {
        ReplyWindow* window;
        unsigned message;
        std::string name;
        std::vector<std::uint8_t> address;
        int family;
        char* buffer;
        std::size_t size;
    };
    std::vector<Call> calls;
    std::vector<RequestHandle> cancelled;
    int startupResult = 0;

    int startup() override { return startupResult; }
    void cleanup() override {}
    RequestHandle lookupByName(ReplyWindow& window, unsigned message, const std::string& name,
                               std::span<char> buffer) override {
        calls.push_back({&window, message, name, {}, 0, buffer.data(), buffer.size()});
        return nextHandle();
    }
    RequestHandle lookupByAddress(ReplyWindow& window, unsigned message,
                                  std::span<const std::uint8_t> address, int family,
                                  std::span<char> buffer) override {
        calls.push_back({&window,
                         message,
                         {},
                         {address.begin(), address.end()},
                         family,
                         buffer.data(),
                         buffer.size()});
        return nextHandle();
    }
    int cancel(RequestHandle handle) override {
        cancelled.push_back(handle);
        return 0;
    }

private:
    RequestHandle nextHandle() { return 0x100 + calls.size(); }
};

} // namespace lookwell::test_support
