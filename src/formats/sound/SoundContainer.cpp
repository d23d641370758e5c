// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SoundContainer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "formats/FormatMessages.h"
#include "formats/sound/SndfileLibrary.h"
#include "formats/sound/SoundKind.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"

namespace tessera {

namespace {

// The library reads through our input file, so that the sound is the file its load described
// and a changed file is noticed the same way for every kind of sound.
struct VirtualFile {
    const InputFile& file;
    sf_count_t pos = 0;

    static VirtualFile& of(void* self) { return *static_cast<VirtualFile*>(self); }
    static sf_count_t length(void* self) { return of(self).file.length(); }
    static sf_count_t seek(sf_count_t offset, int whence, void* self) {
        VirtualFile& v = of(self);
        const sf_count_t base = whence == SEEK_CUR ? v.pos : whence == SEEK_END ? length(self) : 0;
        v.pos = std::max<sf_count_t>(0, base + offset);
        return v.pos;
    }
    static sf_count_t read(void* ptr, sf_count_t count, void* self) {
        VirtualFile& v = of(self);
        const sf_count_t n = std::clamp<sf_count_t>(v.file.length() - v.pos, 0, count);
        v.file.read(v.pos, {static_cast<std::uint8_t*>(ptr), static_cast<std::size_t>(n)});
        v.pos += n;
        return n;
    }
    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* self) { return of(self).pos; }
};

SF_VIRTUAL_IO gVirtualIo{VirtualFile::length, VirtualFile::seek, VirtualFile::read,
                         VirtualFile::write, VirtualFile::tell};

struct SndfileClose {
    decltype(&::sf_close) close;
    void operator()(SNDFILE* f) const { close(f); }
};
using Sndfile = std::unique_ptr<SNDFILE, SndfileClose>;

[[noreturn]] void refuse(Reason code, const std::string& reason) {
    throw TesseraError(code, failureText(messages::kCantConvertSound, reason), FileRole::Input);
}

// The library's name for what it found, for the sound kinds we hand to it.
const char* kindName(int format, SoundKind sniffed) {
    const int sub = format & SF_FORMAT_SUBMASK;
    switch (format & SF_FORMAT_TYPEMASK) {
        case SF_FORMAT_FLAC:
            return "FLAC";
        case SF_FORMAT_OGG:
            return sub == SF_FORMAT_VORBIS ? "Ogg Vorbis"
                   : sub == SF_FORMAT_OPUS ? "Opus"
                   : sub == SF_FORMAT_FLAC ? "Ogg FLAC"
                                           : "Ogg";
        case SF_FORMAT_MPEG:
            return sub == SF_FORMAT_MPEG_LAYER_III ? "MP3" : "MPEG audio";
        case SF_FORMAT_AIFF:
            return sniffed == SoundKind::Aifc ? "AIFF-C" : "AIFF";
        case SF_FORMAT_W64:
            return "Wave64";
        default:
            return nullptr;
    }
}

// Integer samples come out exactly as 16-bit (or 8-bit) values; the rest through floats.
int integerBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
            return 8;
        case SF_FORMAT_PCM_16:
            return 16;
        case SF_FORMAT_PCM_24:
            return 24;
        case SF_FORMAT_PCM_32:
            return 32;
        default:
            return 0;
    }
}

int floatBits(int format) {
    const int sub = format & SF_FORMAT_SUBMASK;
    return sub == SF_FORMAT_FLOAT ? 32 : sub == SF_FORMAT_DOUBLE ? 64 : 16;
}

Sndfile open(const SndfileFunctions& sf, VirtualFile& v, SF_INFO& info) {
    info = {};
    return Sndfile(sf.openVirtual(&gVirtualIo, SFM_READ, &info, &v), SndfileClose{sf.close});
}

class ContainerSamples final : public SampleStage {
  public:
    ContainerSamples(const InputFile& in, const ContainerSound& sound)
        : sf_(sndfile(sound.kind)), file_{in}, sound_(sound), left_(sound.shape.frames) {
        SF_INFO info;
        sndfile_ = open(sf_, file_, info);
        if (!sndfile_)
            refuse(Reason::SoundUnreadable,
                   messages::containerUnreadable(sound.kind, sf_.error(nullptr)));
    }

    std::span<const std::int32_t> next() override {
        const auto channels = static_cast<std::size_t>(sound_.shape.channels);
        const auto want = std::min<sf_count_t>(left_, kFrames);
        out_.assign(static_cast<std::size_t>(want) * channels, 0);
        sf_count_t got = 0;
        if (sound_.integer) {
            shorts_.resize(out_.size());
            got = sf_.readShorts(sndfile_.get(), shorts_.data(), want);
            const int shift = sound_.shape.bits == 8 ? 8 : 0;
            for (std::size_t i = 0; i < static_cast<std::size_t>(got) * channels; ++i)
                out_[i] = shorts_[i] >> shift;
        } else {
            floats_.resize(out_.size());
            got = sf_.readFloats(sndfile_.get(), floats_.data(), want);
            for (std::size_t i = 0; i < static_cast<std::size_t>(got) * channels; ++i) {
                const float v = floats_[i];  // NaN is silence, louder than full scale clipped
                out_[i] = std::isnan(v) ? 0
                                        : static_cast<std::int32_t>(
                                              std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
            }
        }
        // A stream that ends before its stated length is padded with silence, so the count
        // already written into the output's header stays true.
        left_ -= want;
        return out_;
    }

  private:
    static constexpr sf_count_t kFrames = 8192;
    const SndfileFunctions& sf_;
    VirtualFile file_;
    ContainerSound sound_;
    Sndfile sndfile_;
    sf_count_t left_;
    std::vector<short> shorts_;
    std::vector<float> floats_;
    std::vector<std::int32_t> out_;
};

}  // namespace

ContainerSound describeContainer(const InputFile& in) {
    const SoundKind sniffed = soundKindOf(in);
    VirtualFile v{in};
    SF_INFO info;
    const std::string what = soundKindText(sniffed);
    const SndfileFunctions& sf = sndfile(what);
    const Sndfile file = open(sf, v, info);
    if (!file)
        refuse(Reason::SoundUnreadable, messages::containerUnreadable(what, sf.error(nullptr)));
    const char* kind = kindName(info.format, sniffed);
    if (kind == nullptr)
        refuse(Reason::SoundUnreadable,
               messages::containerUnreadable(what, "it holds another kind of sound"));
    ContainerSound sound{.kind = kind};
    if (info.channels < 1 || info.channels > 2)
        refuse(Reason::SoundChannels, messages::soundChannels(info.channels));
    const int bits = integerBits(info.format);
    sound.integer = bits != 0;
    sound.fileBits = sound.integer ? bits : floatBits(info.format);
    sound.shape = {.channels = info.channels,
                   .rate = info.samplerate,
                   .bits = bits == 8 ? 8 : 16,
                   .frames = info.frames};
    if (info.samplerate <= 0)
        refuse(Reason::SoundUnreadable,
               messages::containerUnreadable(what, "it states no sample rate"));
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX)
        throw TesseraError(Reason::SoundNoSample, messages::kNoSample, FileRole::Input);
    return sound;
}

StagePtr decodeContainer(const InputFile& in, const ContainerSound& sound) {
    return std::make_unique<ContainerSamples>(in, sound);
}

}  // namespace tessera
