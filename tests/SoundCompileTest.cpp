#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::Bytes;

struct Toolchain {
    std::string compiler, objcopy;
};
const std::vector<Toolchain> kToolchains{
    {"gcc -std=c99", "objcopy"}, {"arm-none-eabi-gcc -mcpu=arm920t", "arm-none-eabi-objcopy"}};

bool have(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Sound headers go through the compilers GP32 programs are built with; the array is dumped from
// the object file and read back as the little-endian values the GP32 will see.
struct SoundCompile : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};

    void loadAndConvert(const std::string& wavPath, const std::string& name) {
        ui.openWith(wavPath);
        form.cmdWAVLoad.click();
        ASSERT_TRUE(form.cmdWAVConvert.Enabled);
        form.txtVar.Text() = name;
        ui.saveAs(dir.path(name + ".h"));
        form.cmdWAVConvert.click();
        ASSERT_EQ(ui.texts().back(), "Convertion done successfully :)");
    }

    // Compiles the header with a check of its length define and returns the array's values.
    std::vector<std::uint32_t> compiled(const std::string& name, std::size_t count, int width,
                                        const Toolchain& t) {
        const std::string source = dir.path("use.c");
        test::writeText(source, "#include \"" + name + ".h\"\ntypedef char length_ok[(" + name +
                                    "_length == " + std::to_string(count) + ") ? 1 : -1];\n");
        const std::string object = dir.path("use.o");
        const std::string dump = dir.path("rodata.bin");
        const std::string compile = t.compiler + " -c -Wall -Wextra -pedantic -Werror -I" +
                                    dir.dir().string() + " -o " + object + " " + source;
        EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
        const std::string extract = t.objcopy + " -O binary -j .rodata " + object + " " + dump;
        EXPECT_EQ(std::system(extract.c_str()), 0) << extract;
        const Bytes b = test::readFile(dump);
        std::vector<std::uint32_t> values;
        for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size();
             i += static_cast<std::size_t>(width))
            values.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | b[i + 1] << 8));
        return values;
    }
};

// Signed 16-bit samples as the GP32 plays them: unsigned, silence at 0x8000.
std::vector<std::uint32_t> unsignedSamples(const Bytes& data) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto s = static_cast<std::int16_t>(data[i] | data[i + 1] << 8);
        out.push_back(static_cast<std::uint32_t>(s + 32768));
    }
    return out;
}

TEST_F(SoundCompile, ArraysHoldTheSamplesOnEveryCompiler) {
    Bytes wide;
    for (const int s : {0, 32767, -32768, 1, -1, -32767, 255, 256, -256, 12345, -12345})
        test::appendLe16(wide, static_cast<std::uint16_t>(s));
    for (int i = 0; i < 40; ++i)
        test::appendLe16(wide, static_cast<std::uint16_t>(i * 1637 - 30000));
    const auto widePath = dir.path("wide.wav");
    test::writeFile(widePath, test::buildWav(wide, {.channels = 2, .bits = 16}));
    loadAndConvert(widePath, "wide");

    Bytes narrow(33);
    for (std::size_t i = 0; i < narrow.size(); ++i)
        narrow[i] = static_cast<std::uint8_t>(i * 37);
    const auto narrowPath = dir.path("narrow.wav");
    test::writeFile(narrowPath, test::buildWav(narrow, {.bits = 8}));
    loadAndConvert(narrowPath, "narrow");

    for (const auto& t : kToolchains) {
        EXPECT_EQ(compiled("wide", wide.size() / 2, 2, t), unsignedSamples(wide)) << t.compiler;
        EXPECT_EQ(compiled("narrow", narrow.size(), 1, t),
                  std::vector<std::uint32_t>(narrow.begin(), narrow.end()))
            << t.compiler;
    }
}

// A sound made by a tool none of us wrote, with its own idea of a WAV header.
TEST_F(SoundCompile, SoxSineConvertsForTheArmTarget) {
    if (!have("sox"))
        GTEST_SKIP() << "sox is not installed";
    const auto wav = dir.path("sine.wav");
    const auto raw = dir.path("sine.raw");
    ASSERT_EQ(std::system(("sox -n -r 22050 -c 1 -b 16 " + wav + " synth 0.5 sine 440").c_str()),
              0);
    ASSERT_EQ(std::system(("sox " + wav + " -t raw -e signed -b 16 -L " + raw).c_str()), 0);
    const Bytes samples = test::readFile(raw);
    ASSERT_EQ(samples.size(), 22050u);

    loadAndConvert(wav, "sine");
    EXPECT_NE(form.lblBMPName.Caption.find(" Freq   : 22kHz\r\n Mode   : Mono\r\n"
                                           " Data   : 16 bits\r\n Length : 22050\r\n"),
              std::string::npos)
        << form.lblBMPName.Caption;
    EXPECT_EQ(compiled("sine", samples.size() / 2, 2, kToolchains[1]), unsignedSamples(samples));
}

}  // namespace
}  // namespace tessera
