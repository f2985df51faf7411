#pragma once

#include "registration/settings_store.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lookwell::test_support {

// An in-memory settings store that records every call as one line of text
// ("createKey <path>", "setString <path>:<name>=<data>", ...) and fails the calls
// chosen by failWith() with the chosen code, changing nothing for them.
class FakeSettingsStore : public SettingsStore {
public:
    // Values as "sz:<bytes>" or "dword:<number>", by key path and value name.
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::vector<std::string> calls;

    void addKey(const std::string& path) { keys[path]; }
    void failWith(const std::string& call, Status code) { failures_[call] = code; }
    std::size_t openKeys() const { return open_.size(); }

    Status testKey(std::string_view path) override {
        const std::string key(path);
        if (const Status failure = record("testKey " + key)) {
            return failure;
        }
        return keys.contains(key) ? status::kSuccess : status::kNotFound;
    }

    Status createKey(std::string_view path, KeyHandle& key) override {
        const std::string name(path);
        if (const Status failure = record("createKey " + name)) {
            return failure;
        }
        for (std::size_t end = name.find('\\'); end != std::string::npos;
             end = name.find('\\', end + 1)) {
            keys[name.substr(0, end)];
        }
        keys[name];
        key = nextHandle_++;
        open_[key] = name;
        return status::kSuccess;
    }

    Status setString(KeyHandle key, std::string_view name, std::string_view data) override {
        return setValue(key, name, "setString", "sz:" + std::string(data));
    }

    Status setDword(KeyHandle key, std::string_view name, std::uint32_t data) override {
        return setValue(key, name, "setDword", "dword:" + std::to_string(data));
    }

    Status deleteValue(KeyHandle key, std::string_view name) override {
        const std::string value(name);
        if (const Status failure = record("deleteValue " + open_.at(key) + ":" + value)) {
            return failure;
        }
        return keys.at(open_.at(key)).erase(value) == 1 ? status::kSuccess : status::kNotFound;
    }

    Status deleteKey(std::string_view path) override {
        const std::string name(path);
        if (const Status failure = record("deleteKey " + name)) {
            return failure;
        }
        return keys.erase(name) == 1 ? status::kSuccess : status::kNotFound;
    }

    void closeKey(KeyHandle key) override {
        record("closeKey " + open_.at(key));
        open_.erase(key);
    }

private:
    Status record(std::string call) {
        calls.push_back(std::move(call));
        const auto failure = failures_.find(calls.back());
        return failure == failures_.end() ? status::kSuccess : failure->second;
    }

    Status setValue(KeyHandle key, std::string_view name, const char* operation,
                    std::string value) {
        const std::string& path = open_.at(key);
        const std::string valueName(name);
        const std::string data = value.substr(value.find(':') + 1);
        if (const Status failure =
                record(std::string(operation) + " " + path + ":" + valueName + "=" + data)) {
            return failure;
        }
        keys.at(path)[valueName] = std::move(value);
        return status::kSuccess;
    }

    std::map<std::string, Status> failures_;
    std::map<KeyHandle, std::string> open_;
    KeyHandle nextHandle_ = 100;
};

} // namespace lookwell::test_support
