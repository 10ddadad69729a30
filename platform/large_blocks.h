#pragma once
// Every paint makes pictures of several megabytes and frees them again. The
// C library serves such blocks from memory mapped for each one and unmapped
// when it is freed, but after the first free it raises that threshold and
// serves blocks of that size from its heaps, where they leave holes that
// smaller blocks only partly fill, in each thread's heap: a long session's
// memory grew by about 13 MiB for every 1000 documents opened and drawn. A
// fixed threshold keeps large blocks out of the heaps, and their memory goes
// back to the system as soon as they are freed.

namespace okap {

void ReturnLargeBlocksToSystem();

}  // namespace okap
