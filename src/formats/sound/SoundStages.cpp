// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SoundStages.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/Errors.h"

namespace tessera {

namespace {

std::int32_t fullScale(int bits) {
    return bits == 8 ? 127 : 32767;
}

std::int32_t held(long v, int bits) {
    const long top = fullScale(bits);
    return static_cast<std::int32_t>(std::clamp(v, -top - 1, top));
}

class MonoMix final : public SampleStage {
  public:
    explicit MonoMix(StagePtr in) : in_(std::move(in)) {}
    std::span<const std::int32_t> next() override {
        const auto block = in_->next();
        out_.resize(block.size() / 2);
        for (std::size_t i = 0; i < out_.size(); ++i) {
            const std::int32_t sum = block[2 * i] + block[2 * i + 1];
            out_[i] = sum >= 0 ? (sum + 1) / 2 : -((1 - sum) / 2);
        }
        return out_;
    }

  private:
    StagePtr in_;
    std::vector<std::int32_t> out_;
};

struct SoxrFree {
    void operator()(soxr_t s) const { soxr_delete(s); }
};

class Resampler final : public SampleStage {
  public:
    Resampler(StagePtr in, const SoundShape& from, const SoundShape& out)
        : in_(std::move(in)),
          channels_(static_cast<std::size_t>(out.channels)),
          bits_(out.bits),
          left_(out.frames) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
        soxr_error_t error = nullptr;
        soxr_.reset(soxr_create(from.rate, out.rate, static_cast<unsigned>(out.channels), &error,
                                &io, &quality, &runtime));
        if (error == nullptr)
            error = soxr_set_input_fn(soxr_.get(), &Resampler::supply, this, kFrames);
        if (error != nullptr)
            throw TesseraError(Reason::Unforeseen,
                               std::string("The resampler could not start: ") + error);
        output_.resize(kFrames * channels_);
        input_.reserve(kFrames * channels_);  // never a null pointer: 0 frames means the end
    }

    std::span<const std::int32_t> next() override {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(left_, kFrames));
        std::size_t frames = want == 0 ? 0 : soxr_output(soxr_.get(), output_.data(), want);
        if (const soxr_error_t error = soxr_error(soxr_.get()); error != nullptr)
            throw TesseraError(Reason::Unforeseen, std::string("The resampler failed: ") + error);
        out_.resize(want * channels_);
        for (std::size_t i = 0; i < frames * channels_; ++i)
            out_[i] = held(std::lround(output_[i]), bits_);
        // The filter gave all it had: silence up to the length promised.
        std::fill(out_.begin() + static_cast<std::ptrdiff_t>(frames * channels_), out_.end(), 0);
        left_ -= static_cast<std::int64_t>(want);
        return out_;
    }

  private:
    static constexpr std::size_t kFrames = 4096;

    // Hands the resampler at most `wanted` frames of the stage before, as floats.
    static std::size_t supply(void* self, soxr_in_t* data, std::size_t wanted) {
        auto& r = *static_cast<Resampler*>(self);
        if (r.pending_.empty())
            r.pending_ = r.in_->next();
        const std::size_t frames = std::min(wanted, r.pending_.size() / r.channels_);
        r.input_.assign(r.pending_.begin(),
                        r.pending_.begin() + static_cast<std::ptrdiff_t>(frames * r.channels_));
        r.pending_ = r.pending_.subspan(frames * r.channels_);
        *data = r.input_.data();  // with 0 frames: the end of the input
        return frames;
    }

    StagePtr in_;
    std::unique_ptr<soxr, SoxrFree> soxr_;
    std::size_t channels_;
    int bits_;
    std::int64_t left_;  // frames still to give
    std::span<const std::int32_t> pending_;
    std::vector<float> input_;
    std::vector<float> output_;
    std::vector<std::int32_t> out_;
};

class Amplifier final : public SampleStage {
  public:
    Amplifier(StagePtr in, double gain, int bits) : in_(std::move(in)), gain_(gain), bits_(bits) {}
    std::span<const std::int32_t> next() override {
        const auto block = in_->next();
        out_.resize(block.size());
        for (std::size_t i = 0; i < block.size(); ++i)
            out_[i] = held(std::lround(block[i] * gain_), bits_);
        return out_;
    }

  private:
    StagePtr in_;
    double gain_;
    int bits_;
    std::vector<std::int32_t> out_;
};

}  // namespace

SoundShape targetShape(const SoundShape& from, const SoundTarget& target) {
    SoundShape to = from;
    if (target.mono)
        to.channels = 1;
    if (target.bits != 0)
        to.bits = target.bits;
    if (target.rate != 0 && target.rate != from.rate) {
        to.rate = target.rate;
        to.frames = std::llround(static_cast<double>(from.frames) * target.rate / from.rate);
    }
    return to;
}

StagePtr mixToMono(StagePtr in) {
    return std::make_unique<MonoMix>(std::move(in));
}

StagePtr resample(StagePtr in, const SoundShape& from, const SoundShape& out) {
    return std::make_unique<Resampler>(std::move(in), from, out);
}

StagePtr amplify(StagePtr in, double gain, int bits) {
    return std::make_unique<Amplifier>(std::move(in), gain, bits);
}

double normalizingGain(SampleStage& in, int bits) {
    std::int32_t peak = 0;
    for (auto block = in.next(); !block.empty(); block = in.next()) {
        for (const std::int32_t v : block)
            peak = std::max(peak, std::abs(v));
    }
    return peak == 0 ? 1.0 : static_cast<double>(fullScale(bits)) / peak;
}

SampleBytes::SampleBytes(StagePtr in, int fromBits, int toBits, bool dither)
    : in_(std::move(in)), fromBits_(fromBits), toBits_(toBits), dither_(dither) {}

std::span<std::uint8_t> SampleBytes::next() {
    const auto block = in_->next();
    if (toBits_ == 8) {
        bytes_.resize(block.size());
        for (std::size_t i = 0; i < block.size(); ++i) {
            int v = block[i];
            if (fromBits_ == 16 && dither_) {
                // Two uniform values in [0, 1) minus each other: triangular over one step.
                const auto uniform = [this] {
                    noise_ ^= noise_ << 13;
                    noise_ ^= noise_ >> 7;
                    noise_ ^= noise_ << 17;
                    return static_cast<double>(noise_ >> 11) * 0x1.0p-53;
                };
                const double d = uniform() - uniform();
                v = held(std::lround(v / 256.0 + d), 8);
            } else if (fromBits_ == 16) {
                v = to8Bits(v);
            }
            bytes_[i] = static_cast<std::uint8_t>(v + 128);
        }
    } else {
        bytes_.resize(2 * block.size());
        for (std::size_t i = 0; i < block.size(); ++i) {
            const auto v = static_cast<std::uint16_t>(fromBits_ == 8 ? block[i] * 256 : block[i]);
            bytes_[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
            bytes_[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
        }
    }
    return bytes_;
}

}  // namespace tessera
