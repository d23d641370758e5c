// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/WavReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "formats/sound/ChunkHeaders.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

constexpr std::int64_t kRiffHeaderSize = 12;  // "RIFF", the RIFF size, "WAVE"
constexpr std::int64_t kChunkHeaderSize = 8;  // tag and body size
constexpr std::uint32_t kMinFormatSize = 16;  // format code up to bits per sample

bool tagAt(const InputFile& file, std::int64_t pos, const char* tag) {
    std::uint8_t bytes[4];
    file.read(pos, bytes);
    return std::memcmp(bytes, tag, 4) == 0;
}

// An extensible format names its sample coding by a GUID whose first two bytes are the plain
// format code and whose other fourteen are the same for every standard coding.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kExtensibleSize = 40;

std::uint16_t formatCode(const InputFile& file, std::int64_t body, std::uint32_t size) {
    const std::uint16_t code = file.readU16(body);
    if (code != kWaveExtensible || size < kExtensibleSize)
        return code;
    std::uint8_t tail[14];
    file.read(body + 26, tail);
    return std::memcmp(tail, kGuidTail, sizeof tail) == 0 ? file.readU16(body + 24) : code;
}

}  // namespace

WavReading walkWavChunks(const InputFile& file) {
    WavReading result;
    if ((tagAt(file, 0, "RF64") || tagAt(file, 0, "BW64")) && tagAt(file, 8, "WAVE")) {
        result.problem = WavProblem::Rf64;
        return result;
    }
    if (!tagAt(file, 0, "RIFF") || !tagAt(file, 8, "WAVE")) {
        result.problem = WavProblem::NotRiffWave;
        return result;
    }
    // The RIFF size is not trusted: writers that stream often leave it 0 or stale, so the walk
    // goes by the file's real end instead.
    const std::int64_t end = file.length();
    bool formatSeen = false;
    bool formatUsable = false;
    bool dataSeen = false;
    std::int64_t dataLength = 0;

    ChunkHeaderReader headers(file);
    std::int64_t pos = kRiffHeaderSize;
    while (pos + kChunkHeaderSize <= end && !(formatSeen && dataSeen)) {
        const std::int64_t body = pos + kChunkHeaderSize;
        const ChunkHeader header = headers.at(pos);
        const std::uint32_t size = header.size;
        const bool fitsInFile = body + size <= end;

        if (header.is("fmt ") && !formatSeen) {
            formatSeen = true;
            formatUsable = size >= kMinFormatSize && fitsInFile;
            if (formatUsable) {
                result.layout.formatCode = formatCode(file, body, size);
                result.layout.channels = file.readU16(body + 2);
                result.layout.sampleRate = file.readU32(body + 4);
                result.layout.bitsPerSample = file.readU16(body + 14);
            }
        } else if (header.is("data") && !dataSeen) {
            // A recorder that was cut off leaves a size larger than what it wrote: take what
            // is really there.
            dataSeen = true;
            result.layout.dataOffset = body;
            dataLength = std::min<std::int64_t>(size, end - body);
        }
        if (!fitsInFile)
            break;  // nothing sensible can follow a chunk that runs past the end
        // Chunk bodies of odd size are followed by one pad byte, so the next tag is even.
        pos = body + size + (size & 1u);
    }

    if (!formatUsable)
        result.problem = WavProblem::NoFormat;
    else if (!dataSeen)
        result.problem = WavProblem::NoData;
    else if (dataLength > std::numeric_limits<std::int32_t>::max())
        result.problem = WavProblem::TooLong;
    else
        result.layout.dataLength = static_cast<std::int32_t>(dataLength);
    return result;
}

}  // namespace tessera
