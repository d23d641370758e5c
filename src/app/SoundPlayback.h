// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "app/SoundOptions.h"

namespace tessera {

class Form1;

// What "Play as on the GP32" plays: the loaded sound made what the sound options ask, front to
// back, exactly the samples its .sef file holds (8-bit unsigned, or 16-bit signed little-endian
// as the player gets them before it flips their sign), at the rate and channels written.
class SoundAsPlayed {
  public:
    // The loaded sound under `target` (the sound options as the dialog shows them). Throws
    // TesseraError when no sound is loaded or its file changed since.
    SoundAsPlayed(const Form1& form, const SoundTarget& target);
    ~SoundAsPlayed();
    SoundAsPlayed(const SoundAsPlayed&) = delete;
    SoundAsPlayed& operator=(const SoundAsPlayed&) = delete;

    std::int32_t rate() const;
    int channels() const;
    int bits() const;
    std::int64_t byteCount() const;
    // Fills `out` with the next bytes; returns how many, fewer only at the end.
    std::size_t read(std::span<std::uint8_t> out);

  private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
};

}  // namespace tessera
