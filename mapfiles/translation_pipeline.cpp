#include "mapfiles/translation_pipeline.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "core/projection.h"
#include "mapfiles/mapfile.h"
#include "mapfiles/segment_translator.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// The input a batch gathers before it is handed on: enough that handing
// over costs little beside the translating, little enough that every
// worker has batches to take.
constexpr size_t kBatchBytes = size_t{256} << 10;
// The input all batches in flight may hold together; a batch of one
// segment larger than this goes alone.
constexpr size_t kWindowBytes = size_t{16} << 20;
// Batches in flight for each worker: enough that none waits for the next
// while the writer catches up.
constexpr size_t kBatchesPerWorker = 3;

size_t HeldBytes(const SegmentJob& job) {
    return sizeof(SegmentJob) + job.text.size() + job.points.size() * sizeof(LPoint);
}

// A batch keeps its jobs' buffers for the next batch, unless they have
// grown well beyond a batch's worth (after a large segment).
void TrimJobs(std::vector<SegmentJob>& jobs) {
    size_t kept = 0;
    for (const SegmentJob& job : jobs)
        kept += job.text.capacity() + job.points.capacity() * sizeof(LPoint) + job.output.capacity();
    if (kept <= 4 * kBatchBytes) return;
    for (SegmentJob& job : jobs) {
        std::string().swap(job.text);
        std::vector<LPoint>().swap(job.points);
        std::string().swap(job.output);
    }
}

struct Batch {
    // The first count jobs are this batch's; the rest keep their buffers
    // for the next use.
    std::vector<SegmentJob> jobs;
    size_t count = 0;
    size_t bytes = 0;
    bool translated = false;  // guarded by the pipeline's mutex
};

// One worker: its own projections (PROJ objects are not shared between
// threads) and its own work buffers.
struct Worker {
    Worker(const Projection& in, const Projection& out, const TranslationRules& rules)
        : in(in), out(out), translator(rules) {}
    Projection in, out;
    SegmentTranslator translator;
    std::thread thread;
};

class Pipeline {
public:
    explicit Pipeline(Mapfile& map) : map(map) {}
    ~Pipeline() { Stop(); }
    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    // Builds the workers' projections and starts them; the number started,
    // 0 when none could be.
    size_t Start(const Projection& in, const Projection& out, int threads);
    int Run(const TranslateProgress& progress, int& segmentsRead);

private:
    void Work(Worker& worker);
    void Stop();
    Batch* FreeBatch();
    void ReadBatch(Batch& batch);
    int WriteBatch(Batch& batch, const TranslateProgress& progress, int& segmentsRead);

    Mapfile& map;
    bool inputDone = false;
    std::vector<std::unique_ptr<Batch>> batches;
    std::vector<Batch*> freeBatches;

    std::mutex mutex;
    std::condition_variable workArrived;
    std::condition_variable batchTranslated;
    std::deque<Batch*> pending;  // read, not yet taken by a worker
    std::atomic<bool> stopping = false;
    std::vector<std::unique_ptr<Worker>> workers;
};

size_t Pipeline::Start(const Projection& in, const Projection& out, int threads) {
    const TranslationRules rules = map.Rules();
    for (int i = 0; i < threads; ++i) {
        auto worker = std::make_unique<Worker>(in, out, rules);
        // A copy that could not build its PROJ object has said so.
        if (!worker->in.Valid || !worker->out.Valid) break;
        try {
            worker->thread = std::thread(&Pipeline::Work, this, std::ref(*worker));
        } catch (const std::system_error&) {
            break;
        }
        workers.push_back(std::move(worker));
    }
    return workers.size();
}

void Pipeline::Stop() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    workArrived.notify_all();
    for (auto& worker : workers) worker->thread.join();
    workers.clear();
}

void Pipeline::Work(Worker& worker) {
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock lock(mutex);
            workArrived.wait(lock, [&] { return stopping || !pending.empty(); });
            if (stopping) return;
            batch = pending.front();
            pending.pop_front();
        }
        // After a failure the rest of the batch is never written.
        for (size_t i = 0; i < batch->count && !stopping; ++i) {
            SegmentJob& job = batch->jobs[i];
            if (job.read && !job.readFailed && !worker.translator.Translate(job, worker.in, worker.out)) break;
        }
        {
            std::lock_guard lock(mutex);
            batch->translated = true;
        }
        batchTranslated.notify_one();
    }
}

Batch* Pipeline::FreeBatch() {
    if (freeBatches.empty()) {
        batches.push_back(std::make_unique<Batch>());
        return batches.back().get();
    }
    Batch* batch = freeBatches.back();
    freeBatches.pop_back();
    return batch;
}

void Pipeline::ReadBatch(Batch& batch) {
    // Messages raised while reading ahead wait for their segment's turn.
    MessageRecorder held;
    batch.count = 0;
    batch.bytes = 0;
    batch.translated = false;
    while (batch.bytes < kBatchBytes && !inputDone) {
        if (batch.count == batch.jobs.size()) batch.jobs.emplace_back();
        SegmentJob& job = batch.jobs[batch.count++];
        job.readFailed = !map.ReadSegmentJob(job);
        job.readMessages = std::move(held.messages);
        held.messages.clear();
        batch.bytes += HeldBytes(job);
        if (job.readFailed || !job.read || map.EndOfInFile()) inputDone = true;
    }
}

int Pipeline::WriteBatch(Batch& batch, const TranslateProgress& progress, int& segmentsRead) {
    for (size_t i = 0; i < batch.count; ++i) {
        SegmentJob& job = batch.jobs[i];
        for (const Message& m : job.readMessages) MessageBox(m.text, m.caption, m.buttons, m.icon);
        segmentsRead = job.counter;
        if (job.readFailed || !map.WriteSegmentJob(job)) return 0;
        if (progress && !progress(job.progress)) return 0;
    }
    return 1;
}

int Pipeline::Run(const TranslateProgress& progress, int& segmentsRead) {
    std::deque<Batch*> inOrder;  // read and not yet written
    size_t held = 0;
    for (;;) {
        while (!inputDone &&
               (inOrder.empty() || (held < kWindowBytes && inOrder.size() < kBatchesPerWorker * workers.size()))) {
            Batch* batch = FreeBatch();
            ReadBatch(*batch);
            held += batch->bytes;
            inOrder.push_back(batch);
            {
                std::lock_guard lock(mutex);
                pending.push_back(batch);
            }
            workArrived.notify_one();
        }
        if (inOrder.empty()) return 1;
        Batch* batch = inOrder.front();
        {
            std::unique_lock lock(mutex);
            batchTranslated.wait(lock, [&] { return batch->translated; });
        }
        const int written = WriteBatch(*batch, progress, segmentsRead);
        inOrder.pop_front();
        held -= batch->bytes;
        TrimJobs(batch->jobs);
        freeBatches.push_back(batch);
        if (!written) return 0;
    }
}

int TranslateOneByOne(Mapfile& map, Projection& in, Projection& out, const TranslateProgress& progress,
                      int& segmentsRead) {
    while (!map.EndOfInFile()) {
        const int ok = map.TranslateSegment(in, out);
        segmentsRead = map.InSegment().counter;
        if (!ok) return 0;
        if (progress && !progress(map.InputProgress())) return 0;
    }
    return 1;
}

}  // namespace

int TranslateSegments(Mapfile& map, Projection& in, Projection& out, int threads, const TranslateProgress& progress,
                      int& segmentsRead) {
    if (threads > 1) {
        Pipeline pipeline(map);
        if (pipeline.Start(in, out, threads) > 0) return pipeline.Run(progress, segmentsRead);
    }
    return TranslateOneByOne(map, in, out, progress, segmentsRead);
}

}  // namespace okap
