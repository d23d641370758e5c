// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "formats/picture/ColourReduction.h"

namespace tessera {

// The squared distance of two colours' 5-bit channels: the error the GP32 shows.
int distance(ColourWord a, ColourWord b);

// At most `room` GP32 colours for the counted ones (see-through pixels and the transparent
// colour left out), chosen by libimagequant from the histogram alone, then moved to the means of
// the colours nearest them while that lowers the error. Unordered.
std::vector<ColourWord> quantize(const ColourCounts& counts, const PaletteOptions& options,
                                 int room);

}  // namespace tessera
