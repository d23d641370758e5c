// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tessera {

// The characters a C identifier is made of; it may not start with a digit.
constexpr bool isCDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isCIdentifierChar(char c) {
    return isCDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

}  // namespace tessera
