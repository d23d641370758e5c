// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>

#include "platform/LargePages.h"

namespace tessera {

// Bytes as the system gives fresh memory: zeroed, without a pass of ours over them. A large
// buffer comes straight from the system, whose zeroing happens page by page as each is first
// written, on whichever core writes it; a vector would write every zero itself first, on one.
// Backed by large pages where the system has them.
class ZeroedBuffer {
  public:
    explicit ZeroedBuffer(std::int64_t count)
        : bytes_(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(count), 1))),
          count_(static_cast<std::size_t>(count)) {
        if (!bytes_ && count_ > 0)
            throw std::bad_alloc();
        adviseLargePages(bytes_.get(), count_);
    }

    std::span<std::uint8_t> span() { return {bytes_.get(), count_}; }
    std::span<const std::uint8_t> span() const { return {bytes_.get(), count_}; }

  private:
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t, Free> bytes_;
    std::size_t count_;
};

}  // namespace tessera
