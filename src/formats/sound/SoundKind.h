// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera {

class InputFile;

// What a file's first bytes say it holds, whatever its name says. WAV is read by our own RIFF
// walk; the other sound kinds by the container library; the rest are refused with their name.
enum class SoundKind {
    Wav,
    Rf64,
    Flac,
    Ogg,  // Vorbis, Opus or FLAC inside: the library tells which
    Mp3,
    Aiff,
    Aifc,
    Wave64,
    Empty,
    Png,
    Bmp,
    Gif,
    Jpeg,
    Unknown,
};

SoundKind soundKindOf(const InputFile& in);

inline bool isContainerSound(SoundKind kind) {
    return kind == SoundKind::Flac || kind == SoundKind::Ogg || kind == SoundKind::Mp3 ||
           kind == SoundKind::Aiff || kind == SoundKind::Aifc || kind == SoundKind::Wave64;
}

// "a FLAC sound", "a PNG picture", "an empty file", for the messages.
std::string soundKindText(SoundKind kind);

}  // namespace tessera
