#pragma once

namespace lookwell::test_support {

// While it lives, the allocation after the given number of successful ones fails,
// and every one after it.
class FailingAllocation {
public:
    explicit FailingAllocation(int succeedingAllocations);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};

} // namespace lookwell::test_support
