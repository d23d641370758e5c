// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace tessera {

class InputFile;

// A RIFF chunk header: four-character tag and body size.
struct ChunkHeader {
    char tag[4];
    std::uint32_t size;
    bool is(const char* fourChars) const { return std::memcmp(tag, fourChars, 4) == 0; }
};

// Reads chunk headers through a window of the file, so that a file of millions of empty chunks
// costs one system call per window instead of several per chunk: describing any WAV takes time in
// proportion to its size.
class ChunkHeaderReader {
  public:
    explicit ChunkHeaderReader(const InputFile& file) : file_(file) {}
    ChunkHeader at(std::int64_t pos);

  private:
    static constexpr std::int64_t kWindow = 1 << 16;
    const InputFile& file_;
    std::vector<std::uint8_t> window_;
    std::int64_t windowStart_ = -1;
};

}  // namespace tessera
