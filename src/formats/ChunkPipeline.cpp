// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ChunkPipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

#include "formats/WorkTeam.h"

namespace tessera {

namespace {

// More threads than this only add memory: the calling thread's writing sets the pace.
constexpr int kMaxWorkers = 4;

int workerCount() {
    return std::min(WorkTeam::coreCount(), kMaxWorkers);
}

// The state the calling thread shares with the workers of a team: the calling thread prepares
// and finishes the chunks in order, the other members work them as they become available.
class Crew {
  public:
    Crew(std::int64_t chunks, int slots, const ChunkSteps& steps)
        : chunks_(chunks), slots_(slots), steps_(steps), doneChunk_(slots, -1) {}

    // The calling thread's part. Neither part throws: a failure stops every member and is
    // rethrown by `rethrow` once the team is done.
    void lead() {
        try {
            leadChunks();
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!error_)
                error_ = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        workReady_.notify_all();
    }

    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            workReady_.wait(lock, [&] { return stop_ || next_ < available_; });
            if (stop_)
                return;
            const std::int64_t k = next_++;
            lock.unlock();
            std::exception_ptr failure;
            try {
                steps_.work(k, slotOf(k));
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            if (failure && !error_)
                error_ = failure;
            doneChunk_[slotOf(k)] = k;
            chunkDone_.notify_one();  // only the calling thread waits for chunks
        }
    }

    void rethrow() const {
        if (error_)
            std::rethrow_exception(error_);
    }

  private:
    int slotOf(std::int64_t chunk) const { return static_cast<int>(chunk % slots_); }

    void leadChunks() {
        std::int64_t prepared = 0;
        for (std::int64_t k = 0; k < chunks_; ++k) {
            // Chunks up to `slots` ahead of the one being finished have a free slot.
            for (; prepared < chunks_ && prepared < k + slots_; ++prepared) {
                if (steps_.prepare)
                    steps_.prepare(prepared, slotOf(prepared));
                {
                    const std::lock_guard lock(mutex_);
                    available_ = prepared + 1;
                }
                workReady_.notify_one();
            }
            {
                std::unique_lock lock(mutex_);
                chunkDone_.wait(lock, [&] { return error_ || doneChunk_[slotOf(k)] == k; });
                if (error_)
                    return;
            }
            steps_.finish(k, slotOf(k));
        }
    }

    const std::int64_t chunks_;
    const int slots_;
    const ChunkSteps& steps_;
    std::mutex mutex_;
    std::condition_variable workReady_;    // workers wait here for a prepared chunk
    std::condition_variable chunkDone_;    // the calling thread waits here for a worked one
    std::int64_t available_ = 0;           // chunks prepared so far
    std::int64_t next_ = 0;                // the next chunk a worker takes
    std::vector<std::int64_t> doneChunk_;  // per slot: the last chunk worked in it
    std::exception_ptr error_;
    bool stop_ = false;
};

}  // namespace

int chunkSlots(std::int64_t chunks) {
    if (chunks <= 1)
        return 1;
    const int workers = workerCount();
    return workers == 1 ? 1 : static_cast<int>(std::min<std::int64_t>(2 * workers, chunks));
}

void runChunks(std::int64_t chunks, const ChunkSteps& steps) {
    const int slots = chunkSlots(chunks);
    if (slots > 1) {
        // The calling thread is the team's first member; the others are the workers.
        WorkTeam team(1 + static_cast<int>(std::min<std::int64_t>(workerCount(), chunks)));
        if (team.size() > 1) {
            Crew crew(chunks, slots, steps);
            team.run([&](int part, int) {
                if (part == 0)
                    crew.lead();
                else
                    crew.work();
            });
            crew.rethrow();
            return;
        }
    }
    // One thread, by choice or because the system gives no other: each chunk in slot 0.
    for (std::int64_t k = 0; k < chunks; ++k) {
        if (steps.prepare)
            steps.prepare(k, 0);
        steps.work(k, 0);
        steps.finish(k, 0);
    }
}

}  // namespace tessera
