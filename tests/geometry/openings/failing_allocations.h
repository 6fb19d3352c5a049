#pragma once
// Memory running out in the middle of a build: objects and points are allocated with the
// nothrow `new`, which this test program replaces so that one allocation of a chosen size
// fails while a FailingAllocation lives.
//   FailingAllocation noPoint(sizeof(Poinz), 19);  // the 20th point cannot be made
#include <cstddef>

namespace dvxtest {

class FailingAllocation {
public:
    // The allocation of `size` bytes that follows `succeeding` successful ones fails, once.
    FailingAllocation(std::size_t size, int succeeding);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
    bool failed() const;
};

}  // namespace dvxtest
