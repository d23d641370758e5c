// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace tessera {

// How far a long step has come: `done` of `total` units (rows, elements, samples). The window
// turns it into the width of its progress bar; the formats layer only counts.
using Progress = std::function<void(std::int64_t done, std::int64_t total)>;

}  // namespace tessera
