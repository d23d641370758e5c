// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/GpgWriter.h"

#include <algorithm>
#include <string_view>

#include "platform/OutputFile.h"

namespace tessera {

namespace {
constexpr std::string_view kTag = "gpg ";
constexpr std::int64_t kProgressBlock = 512;
// The indices go to the file this many at a time, straight from the picture.
constexpr std::int64_t kWriteBlock = 2048 * kProgressBlock;
}  // namespace

void writeGpg(OutputFile& out, std::span<const std::uint8_t> indices, const Progress& progress) {
    const auto count = static_cast<std::int64_t>(indices.size());
    out.write(kTag);
    out.writeLe32(static_cast<std::int32_t>(count));
    const char* bytes = reinterpret_cast<const char*>(indices.data());
    for (std::int64_t k = 0; k < count; k += kWriteBlock) {
        const std::int64_t n = std::min(kWriteBlock, count - k);
        out.write(std::string_view(bytes + k, static_cast<std::size_t>(n)));
        // Every whole block of 512 moves the bar; the last, shorter one does not.
        reportSteps(progress, k, k + n, count, kProgressBlock);
    }
}

}  // namespace tessera
