// Lets a test make the registration's text allocations fail. The module allocates
// its texts with nothrow array new and nothing else in these tests does, so
// replacing that one form counts exactly the module's allocations.
#include "tests/registration/failing_allocation.h"

#include <new>

namespace {
int allocationsUntilFailure = -1;
} // namespace

namespace lookwell::test_support {

FailingAllocation::FailingAllocation(int succeedingAllocations) {
    allocationsUntilFailure = succeedingAllocations;
}

FailingAllocation::~FailingAllocation() {
    allocationsUntilFailure = -1;
}

} // namespace lookwell::test_support

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (allocationsUntilFailure == 0) {
        return nullptr;
    }
    if (allocationsUntilFailure > 0) {
        --allocationsUntilFailure;
    }
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
