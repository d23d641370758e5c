// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace tessera {

// The size of a large page where the system has them (x86-64 and most ARM systems).
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;

// Asks the system to back the memory from `p` with large pages when it is first touched. A
// picture turned a quarter turn writes every column on a page of its own; with large pages the
// processor finds those pages without a walk of the page tables for each. A hint: ignored where
// the system has no large pages. Call it before the memory is first written.
void adviseLargePages(void* p, std::size_t bytes);

// Has the system give the memory from `p` its pages now, zeroed, as a first write would. The
// system's zeroing of fresh pages is much of the cost of a large array's first pass: calling
// this on shares of it from several threads spreads that cost over the cores. Does nothing where
// the system cannot.
void populatePages(void* p, std::size_t bytes);

}  // namespace tessera
