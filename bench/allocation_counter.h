#pragma once

// Counts every allocation the process makes: operator new (replaced here) and,
// outside sanitizer builds, the malloc family too, which Qt's containers use.

#include <cstdint>

namespace kaleidra::bench {

struct AllocationCount {
    std::int64_t news = 0;
    std::int64_t mallocs = 0;
};

AllocationCount Allocations();
// Whether malloc and its kin are counted in this build.
bool CountsMalloc();

}  // namespace kaleidra::bench
