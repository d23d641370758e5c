// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SoundBuilder.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tessera::test {

Tone sineTone(double hz, int rate, double seconds, int channels, double level) {
    Tone tone{.channels = channels, .rate = rate};
    const auto frames = static_cast<std::int64_t>(seconds * rate);
    for (std::int64_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
            tone.samples.push_back(static_cast<std::int16_t>(
                std::lround(level * 32767 * std::sin(phase + c * std::numbers::pi / 2))));
        }
    }
    return tone;
}

Bytes toneBytes(const Tone& tone, int bits) {
    Bytes out;
    for (const std::int16_t v : tone.samples) {
        const auto u = static_cast<std::uint16_t>(v);
        if (bits == 8)
            out.push_back(static_cast<std::uint8_t>((u >> 8) ^ 0x80));
        else
            out.insert(out.end(),
                       {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)});
    }
    return out;
}

Bytes buildSound(const Tone& tone, int format) {
    TempDir dir;
    const std::string path = dir.path("sound");
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error(std::string("libsndfile cannot write: ") + sf_strerror(nullptr));
    // The library's MP3 encoder copies half the bytes of stereo shorts (libsndfile 1.2.0), so
    // an MP3 gets the tone as floats; every other kind gets its exact 16-bit samples.
    std::vector<float> floats;
    for (const std::int16_t v : tone.samples)
        floats.push_back(static_cast<float>(v) / 32768.0f);
    const bool mpeg = (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG;
    const sf_count_t written = mpeg ? sf_writef_float(file, floats.data(), tone.frames())
                                    : sf_writef_short(file, tone.samples.data(), tone.frames());
    sf_close(file);
    if (written != tone.frames())
        throw std::runtime_error("libsndfile wrote a part of the tone");
    return readFile(path);
}

std::vector<std::int32_t> signedSamples(const Bytes& data, int bits) {
    std::vector<std::int32_t> out;
    if (bits == 8) {
        for (const std::uint8_t b : data)
            out.push_back(b - 128);
        return out;
    }
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        out.push_back(static_cast<std::int16_t>((data[i] | data[i + 1] << 8) ^ 0x8000));
    return out;
}

double levelAt(const std::vector<std::int32_t>& samples, int rate, double hz, int fullScale) {
    double re = 0, im = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
        re += samples[i] * std::cos(phase);
        im += samples[i] * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(samples.size()) / fullScale;
}

}  // namespace tessera::test
