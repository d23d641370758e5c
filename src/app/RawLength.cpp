// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RawLength.h"

#include "app/ConverterState.h"
#include "formats/picture/PictureLayout.h"
#include "platform/Errors.h"

namespace tessera {

std::optional<RawLengthMismatch> rawLengthMismatch(const ConverterState& state) {
    if (!state.picture || state.picture->kind != PictureKind::Raw)
        return std::nullopt;
    PictureLayout layout;
    try {
        layout = pictureLayout(*state.picture);
    } catch (const TesseraError&) {
        return std::nullopt;  // refused for its size in a moment, which says all there is to say
    }
    const std::int64_t needed = layout.rowStride * layout.order.height;
    const std::int64_t length = state.picture->file.size;
    if (length == needed)
        return std::nullopt;
    return RawLengthMismatch{.length = length, .needed = needed};
}

}  // namespace tessera
