#pragma once
// Handing memory freed in bulk back to the system.

namespace port {

// Gives the pages of freed memory back to the system. A design freed after another was read
// lies below the new one in the heap, where the allocator would keep its pages for good (a
// reopened design held the process at twice its size); called once a whole design is gone.
void ReturnFreedMemory();

}  // namespace port
