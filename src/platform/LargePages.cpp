// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LargePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tessera {

namespace {

// Gives `advice` for the whole pages inside [p, p + bytes), when they span at least `least` bytes.
[[maybe_unused]] void adviseWholePages(void* p, std::size_t bytes, int advice, std::size_t least) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) / page * page;
    if (end > begin && end - begin >= least)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

}  // namespace

void adviseLargePages([[maybe_unused]] void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    adviseWholePages(p, bytes, MADV_HUGEPAGE, kLargePageBytes);  // less than one gains nothing
#endif
}

void populatePages([[maybe_unused]] void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    adviseWholePages(p, bytes, MADV_POPULATE_WRITE, 1);
#endif
}

}  // namespace tessera
