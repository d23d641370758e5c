// SPDX-License-Identifier: GPL-3.0-or-later
#include <stdexcept>

#include "formats/picture/PixelPlacement.h"

namespace tessera {

namespace {

// Each column's elements run from its bottom up: a column is read from its top element down.
template <typename T>
std::vector<T> rowsOf(std::span<const T> screen, const gp32::ScreenOrder& order,
                      gp32::PaddingSide side, bool keepPadding) {
    if (static_cast<std::int64_t>(screen.size()) != order.count())
        throw std::invalid_argument("a screen-order array of the wrong length");
    const std::int64_t rows = keepPadding ? order.columnLength() : order.height;
    const std::int64_t top = keepPadding ? order.columnLength() - 1 : order.elementAt(0, 0, side);
    std::vector<T> out(static_cast<std::size_t>(rows * order.width));
    for (std::int64_t x = 0; x < order.width; ++x) {
        const T* column = screen.data() + order.columnLength() * x + top;
        for (std::int64_t y = 0; y < rows; ++y)
            out[static_cast<std::size_t>(y * order.width + x)] = column[-y];
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> rowsFromScreenOrder(std::span<const std::uint8_t> screen,
                                              const gp32::ScreenOrder& order,
                                              gp32::PaddingSide side, bool keepPadding) {
    return rowsOf(screen, order, side, keepPadding);
}

std::vector<std::uint16_t> rowsFromScreenOrder(std::span<const std::uint16_t> screen,
                                               const gp32::ScreenOrder& order,
                                               gp32::PaddingSide side, bool keepPadding) {
    return rowsOf(screen, order, side, keepPadding);
}

}  // namespace tessera
