#pragma once

#include <string>
#include <vector>

#include "support/Files.h"

namespace tessera::test {

// The compilers GP32 programs are built with: the desktop gcc in C99 and the ARM920T cross
// compiler, each with its own objcopy.
struct Toolchain {
    std::string compiler, objcopy;
};
const std::vector<Toolchain>& gp32Toolchains();

// Compiles `source` (C text, headers found in `dir`) with warnings as errors and returns the
// bytes of `section` of the object file, read as little-endian elements of 1 or 2 bytes.
std::vector<std::uint32_t> compiledElements(const TempDir& dir, const std::string& source,
                                            const Toolchain& t, int width,
                                            const std::string& section = ".rodata");

}  // namespace tessera::test
