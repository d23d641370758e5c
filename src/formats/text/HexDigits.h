// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tessera {

// Every literal the tool writes is upper-case hexadecimal.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace tessera
