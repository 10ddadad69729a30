#include "platform/large_blocks.h"

// Any C library header says whether this is glibc.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace okap {

void ReturnLargeBlocksToSystem() {
#if defined(__GLIBC__)
    // From 512 KiB up: a picture of 128 × 1024 pixels and anything larger.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
}

}  // namespace okap
