// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace tessera {

// A long job cut into numbered chunks, run on the machine's cores with its effects kept in order.
// `prepare(k, slot)` and `finish(k, slot)` run on the calling thread, chunk after chunk (reading a
// sequential input, writing the output and reporting progress need no locking there); `work(k,
// slot)` runs on any thread, after its chunk's prepare and before its finish. A chunk owns `slot`
// (0 .. slots - 1, the buffer it fills) from its prepare to its finish, so a job uses `slots`
// buffers however long it is.
struct ChunkSteps {
    using Step = std::function<void(std::int64_t chunk, int slot)>;
    Step prepare;  // may be empty
    Step work;
    Step finish;
};

// How many slots runChunks uses for a job of `chunks` chunks: one per worker thread, and one
// ahead for each worker so a worker never waits for the calling thread to write, never more than
// there are chunks. 1 on a single core, and for a single chunk (worked at once on the calling
// thread, without asking the system how many cores it has).
int chunkSlots(std::int64_t chunks);

// Runs every chunk; a job of one chunk (or a machine of one core) runs on the calling thread
// alone. The first exception of any step stops the job and is rethrown here, once every worker
// has stopped.
void runChunks(std::int64_t chunks, const ChunkSteps& steps);

}  // namespace tessera
