// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace tessera {

// How far a long step has come: `done` of `total` units (rows, elements, samples). The window
// turns it into the width of its progress bar; the formats layer only counts.
using Progress = std::function<void(std::int64_t done, std::int64_t total)>;

// Writers report in steps of `every` units: after a piece of work that took the count from
// `before` to `done`, each step it crossed, or with `lastOnly` only the last one (once a piece:
// the bar moves as often as a view can show it, and a million calls are not spent on a large
// picture). A piece that crosses no step reports nothing.
inline void reportSteps(const Progress& progress, std::int64_t before, std::int64_t done,
                        std::int64_t total, std::int64_t every, bool lastOnly = false) {
    const std::int64_t last = done / every * every;
    const std::int64_t first = lastOnly ? last : (before / every + 1) * every;
    for (std::int64_t step = first; step <= last && step > before; step += every)
        progress(step, total);
}

}  // namespace tessera
