// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SoundKind.h"

#include <cstdint>
#include <string_view>

#include "platform/InputFile.h"

namespace tessera {

namespace {

// Wave64 replaces RIFF's four-character tags by GUIDs: "riff" and "wave" each followed by the
// same twelve bytes.
constexpr std::uint8_t kW64Tail[12] = {0x2E, 0x91, 0xCF, 0x11, 0xA5, 0xD6,
                                       0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00};

// An MPEG audio frame starts with eleven set bits, then a version and a layer that are not the
// reserved values; layer III is what people call MP3.
bool mpegFrameAt(const std::uint8_t* b) {
    return b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && (b[1] & 0x18) != 0x08 && (b[1] & 0x06) != 0;
}

}  // namespace

SoundKind soundKindOf(const InputFile& in) {
    if (in.length() == 0)
        return SoundKind::Empty;
    std::uint8_t head[32] = {};
    in.read(0, head);
    const std::string_view h(reinterpret_cast<const char*>(head), sizeof head);
    const std::string_view form = h.substr(8, 4);
    if (h.starts_with("RIFF") && form == "WAVE")
        return SoundKind::Wav;
    if ((h.starts_with("RF64") || h.starts_with("BW64")) && form == "WAVE")
        return SoundKind::Rf64;
    if (h.starts_with("fLaC"))
        return SoundKind::Flac;
    if (h.starts_with("OggS"))
        return SoundKind::Ogg;
    if (h.starts_with("FORM") && form == "AIFF")
        return SoundKind::Aiff;
    if (h.starts_with("FORM") && form == "AIFC")
        return SoundKind::Aifc;
    if (h.starts_with("riff") &&
        h.substr(4, 12) == std::string_view(reinterpret_cast<const char*>(kW64Tail), 12))
        return SoundKind::Wave64;
    if (h.starts_with("ID3") || mpegFrameAt(head))
        return SoundKind::Mp3;
    if (h.starts_with("\x89PNG"))
        return SoundKind::Png;
    if (h.starts_with("BM"))
        return SoundKind::Bmp;
    if (h.starts_with("GIF8"))
        return SoundKind::Gif;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return SoundKind::Jpeg;
    return SoundKind::Unknown;
}

std::string soundKindText(SoundKind kind) {
    switch (kind) {
        case SoundKind::Wav:
            return "a WAV sound";
        case SoundKind::Rf64:
            return "an RF64 sound";
        case SoundKind::Flac:
            return "a FLAC sound";
        case SoundKind::Ogg:
            return "an Ogg sound";
        case SoundKind::Mp3:
            return "an MP3 sound";
        case SoundKind::Aiff:
            return "an AIFF sound";
        case SoundKind::Aifc:
            return "an AIFF-C sound";
        case SoundKind::Wave64:
            return "a Wave64 sound";
        case SoundKind::Empty:
            return "an empty file";
        case SoundKind::Png:
            return "a PNG picture";
        case SoundKind::Bmp:
            return "a BMP picture";
        case SoundKind::Gif:
            return "a GIF picture";
        case SoundKind::Jpeg:
            return "a JPEG picture";
        case SoundKind::Unknown:
            break;
    }
    return "no sound this tool knows";
}

}  // namespace tessera
