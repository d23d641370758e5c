#include "support/Compile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessera::test {

const std::vector<Toolchain>& gp32Toolchains() {
    static const std::vector<Toolchain> all{
        {"gcc -std=c99", "objcopy"}, {"arm-none-eabi-gcc -mcpu=arm920t", "arm-none-eabi-objcopy"}};
    return all;
}

std::vector<std::uint32_t> compiledElements(const TempDir& dir, const std::string& source,
                                            const Toolchain& t, int width,
                                            const std::string& section) {
    const std::string c = dir.path("use.c"), object = dir.path("use.o"), dump = dir.path("s.bin");
    writeText(c, source);
    const std::string compile = t.compiler + " -c -Wall -Wextra -pedantic -Werror -I" +
                                dir.dir().string() + " -o " + object + " " + c;
    const std::string extract = t.objcopy + " -O binary -j " + section + " " + object + " " + dump;
    std::vector<std::uint32_t> out;
    if (std::system(compile.c_str()) != 0 || std::system(extract.c_str()) != 0) {
        ADD_FAILURE() << "failed: " << compile << " / " << extract;
        return out;
    }
    const Bytes b = readFile(dump);
    for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size(); i += width)
        out.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | b[i + 1] << 8));
    return out;
}

}  // namespace tessera::test
