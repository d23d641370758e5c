#include "formats/sound/SefWriter.h"

#include "platform/OutputFile.h"

namespace tessera {

namespace {
constexpr std::int64_t kProgressEvery = 2048;
}  // namespace

void writeSef(OutputFile& out, SampleReader& reader, const SampleLayout& samples,
              std::int32_t dataLength, const Progress& progress) {
    out.write("sef ");
    // The length of the data chunk, odd or not, even when a 16-bit sound loses its last byte.
    out.writeLe32(dataLength);

    const bool wide = samples.bytesPerSample == 2;
    std::int64_t done = 0;  // samples written
    for (auto block = reader.nextBlock(); !block.empty(); block = reader.nextBlock()) {
        if (wide) {
            for (std::size_t k = 1; k < block.size(); k += 2)
                block[k] = unsignedHighByte(block[k]);
        }
        out.write({reinterpret_cast<const char*>(block.data()), block.size()});
        const std::int64_t before = done;
        done += static_cast<std::int64_t>(block.size()) / samples.bytesPerSample;
        for (std::int64_t i = (before / kProgressEvery + 1) * kProgressEvery; i <= done;
             i += kProgressEvery) {
            progress(i, samples.count);
        }
    }
}

}  // namespace tessera
