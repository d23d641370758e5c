// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sndfile.h>

#include <string>

namespace tessera {

// The libsndfile functions the sound reader calls. The library (with the FLAC, Ogg, Vorbis,
// Opus and MP3 libraries it brings, about half a millisecond of every run's start) is opened on
// the first sound that is not a WAV file: pictures and WAV sounds convert without it.
struct SndfileFunctions {
    decltype(&::sf_open_virtual) openVirtual;
    decltype(&::sf_readf_short) readShorts;
    decltype(&::sf_readf_float) readFloats;
    decltype(&::sf_close) close;
    decltype(&::sf_strerror) error;
};

// The functions, the library opened on the first call. Throws TesseraError (a sound that cannot
// be read, `whatItIs` naming it) when the library or one of its functions cannot be found.
const SndfileFunctions& sndfile(const std::string& whatItIs);

}  // namespace tessera
