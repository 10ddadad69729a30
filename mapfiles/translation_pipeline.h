#pragma once
// The run of a translation over every segment of its input, one after
// another or on several threads. On several, the calling thread reads the
// segments as they stand and hands them on in batches, worker threads
// translate the batches side by side, each with projections of its own,
// and the calling thread writes the results in input order. The output is
// byte for byte that of one thread, and so are the messages: each message,
// raised while reading ahead or by a worker, is shown from the calling
// thread when the writing reaches its segment, and the first failure stops
// the run there.
//
// The batches in flight hold a bounded amount of input, so that the memory
// a translation takes does not grow with the size of its input.

#include "mapfiles/translator.h"

namespace okap {

class Mapfile;
class Projection;

// Translates the rest of map's input into its output with the given number
// of threads, converting back with in and projecting with out. progress is
// called from the calling thread after each segment with the share of the
// input read with it. segmentsRead counts the segments the writing has
// reached. 1 when every segment was written; 0 after a failure (reported)
// or when progress asked to stop. The output is left for the caller to
// close.
int TranslateSegments(Mapfile& map, Projection& in, Projection& out, int threads, const TranslateProgress& progress,
                      int& segmentsRead);

}  // namespace okap
