#include "formats/picture/GpgWriter.h"

#include <algorithm>
#include <string_view>

#include "platform/OutputFile.h"

namespace tessera {

namespace {
constexpr std::string_view kTag = "gpg ";
constexpr std::int64_t kProgressBlock = 512;
}  // namespace

void writeGpg(OutputFile& out, std::span<const std::uint8_t> indices, const Progress& progress) {
    const auto count = static_cast<std::int64_t>(indices.size());
    out.write(kTag);
    out.writeLe32(static_cast<std::int32_t>(count));
    const char* bytes = reinterpret_cast<const char*>(indices.data());
    for (std::int64_t k = 0; k < count; k += kProgressBlock) {
        const std::int64_t n = std::min(kProgressBlock, count - k);
        out.write(std::string_view(bytes + k, static_cast<std::size_t>(n)));
        if (n == kProgressBlock)  // the last, shorter block does not move the bar
            progress(k + n, count);
    }
}

}  // namespace tessera
