// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text/CArrayWriter.h"

#include <vector>

#include "formats/ChunkPipeline.h"

namespace tessera {

constinit const std::array<std::uint64_t, 1 << 16> kWordElements = [] {
    std::array<std::uint64_t, 1 << 16> words{};
    for (std::uint32_t v = 0; v < words.size(); ++v)
        words[v] = hexElement(v, 1).word;
    return words;
}();

void writeCArrayBody(TextStream& out, std::int64_t count, const CArrayChunks& chunks,
                     std::int64_t progressEvery, const Progress& progress) {
    using gp32::kIndent;
    const std::int64_t chunkCount = chunksOf(count);
    const std::int64_t chunkLines =
        (std::min(count, kChunkElements) + gp32::kLiteralsPerLine - 1) / gp32::kLiteralsPerLine;
    // One text buffer per slot, made here so the workers allocate nothing.
    const auto slots = static_cast<std::size_t>(chunkSlots(chunkCount));
    std::vector<std::vector<char>> texts(slots);
    for (auto& t : texts)
        t.resize(static_cast<std::size_t>(chunkLines) * kLineBytes);
    std::vector<std::size_t> lengths(slots, 0);

    auto range = [count](std::int64_t chunk) {
        return std::pair(chunk * kChunkElements, std::min(count, (chunk + 1) * kChunkElements));
    };
    out.writeAscii(kIndent);
    runChunks(chunkCount,
              {.prepare =
                   [&](std::int64_t chunk, int slot) {
                       if (chunks.load) {
                           const auto [begin, end] = range(chunk);
                           chunks.load(begin, end, slot);
                       }
                   },
               .work =
                   [&](std::int64_t chunk, int slot) {
                       const auto [begin, end] = range(chunk);
                       lengths[slot] = chunks.format(begin, end, slot, texts[slot].data());
                   },
               .finish =
                   [&](std::int64_t chunk, int slot) {
                       out.writeAscii(std::string_view(texts[slot].data(), lengths[slot]));
                       if (progressEvery <= 0)
                           return;
                       const auto [begin, end] = range(chunk);
                       reportSteps(progress, begin, end, count, progressEvery, true);
                   }});
    out.writeAscii("\r\n};\r\n");
}

}  // namespace tessera
