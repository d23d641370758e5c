// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SndfileLibrary.h"

#include <optional>

#include "formats/FormatMessages.h"
#include "platform/Errors.h"
#include "platform/SharedLibrary.h"

namespace tessera {

namespace {

// The interface sndfile.h declares has kept this name since libsndfile 1.0.
constexpr const char* kSoname = "libsndfile.so.1";

struct Loaded {
    std::optional<SndfileFunctions> functions;
    std::string error;
};

Loaded load(SharedLibrary& library) {
    SndfileFunctions f{
        .openVirtual = library.function<decltype(&::sf_open_virtual)>("sf_open_virtual"),
        .readShorts = library.function<decltype(&::sf_readf_short)>("sf_readf_short"),
        .readFloats = library.function<decltype(&::sf_readf_float)>("sf_readf_float"),
        .close = library.function<decltype(&::sf_close)>("sf_close"),
        .error = library.function<decltype(&::sf_strerror)>("sf_strerror")};
    if (f.openVirtual && f.readShorts && f.readFloats && f.close && f.error)
        return {f, {}};
    return {std::nullopt, library.error()};
}

}  // namespace

const SndfileFunctions& sndfile(const std::string& whatItIs) {
    static SharedLibrary library(kSoname);       // once, whichever thread asks first
    static const Loaded loaded = load(library);  // the library stays open until the program ends
    if (!loaded.functions)
        throw TesseraError(Reason::SoundUnreadable,
                           failureText(messages::kCantConvertSound,
                                       messages::containerUnreadable(whatItIs, loaded.error)),
                           FileRole::Input);
    return *loaded.functions;
}

}  // namespace tessera
