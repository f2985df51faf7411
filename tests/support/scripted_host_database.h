#pragma once

#include "core/resolver/host_database.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace lookwell::test_support {

// Answers every lookup with one scripted outcome. When held, lookups block
// inside the database until the test releases them (or a generous bound passes,
// so that a failing test cannot hang a worker for ever).
class ScriptedHostDatabase : public HostDatabase {
public:
    explicit ScriptedHostDatabase(HostLookupOutcome outcome = {}) : outcome_(std::move(outcome)) {}

    HostLookupOutcome lookupByName(const std::string& name) override {
        return answer("name:" + name);
    }
    HostLookupOutcome lookupByAddress(const Ipv4Bytes& address) override {
        std::string query = "address:";
        for (const auto byte : address) {
            query += std::to_string(byte) + ";";
        }
        return answer(query);
    }

    void setOutcome(HostLookupOutcome outcome) {
        const std::lock_guard lock(mutex_);
        outcome_ = std::move(outcome);
    }
    void hold() {
        const std::lock_guard lock(mutex_);
        held_ = true;
    }
    void release() {
        const std::lock_guard lock(mutex_);
        held_ = false;
        changed_.notify_all();
    }
    bool waitForQueries(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kBound, [&] { return queries_.size() >= count; });
    }
    std::vector<std::string> queries() {
        const std::lock_guard lock(mutex_);
        return queries_;
    }

private:
    static constexpr std::chrono::seconds kBound{60};

    HostLookupOutcome answer(std::string query) {
        std::unique_lock lock(mutex_);
        queries_.push_back(std::move(query));
        changed_.notify_all();
        changed_.wait_for(lock, kBound, [&] { return !held_; });
        return outcome_;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    HostLookupOutcome outcome_;
    std::vector<std::string> queries_;
    bool held_ = false;
};

} // namespace lookwell::test_support
