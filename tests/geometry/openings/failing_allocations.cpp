#include "failing_allocations.h"

#include <new>

namespace {

std::size_t gFailSize = 0;
int gSucceeding = -1;  // allocations of gFailSize still to succeed; -1: none fails
bool gFailed = false;

}  // namespace

// The throwing form underneath keeps allocation and release matched for the sanitizers.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gSucceeding >= 0 && size == gFailSize) {
        if (gSucceeding == 0) {
            gSucceeding = -1;
            gFailed = true;
            return nullptr;
        }
        --gSucceeding;
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

namespace dvxtest {

FailingAllocation::FailingAllocation(std::size_t size, int succeeding) {
    gFailSize = size;
    gSucceeding = succeeding;
    gFailed = false;
}

FailingAllocation::~FailingAllocation() { gSucceeding = -1; }

bool FailingAllocation::failed() const { return gFailed; }

}  // namespace dvxtest
