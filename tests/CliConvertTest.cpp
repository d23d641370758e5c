#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/VbText.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera {
namespace {

using test::Picture;

const std::int64_t kY2k = 946684800;
std::int64_t modified(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_sec : -1;
}

// Every option lands on its control: tessera-cli writes the window's file byte for byte, and
// --info prints the window's description (LF line ends, one at the end). make rebuilds what
// depends on a header only when the header really changed: same bytes keep the time stamp.
TEST(CliConvert, WritesAndDescribesWhatTheWindowDoes) {
    test::TempDir in;  // an 8-bit bitmap named after a C keyword, a 24-bit RAW, a 16-bit sound
    test::writeFile(in.path("int.bmp"), test::buildBmp(Picture::pattern(6, 5, 8)));
    test::writeFile(in.path("sky.RAW"), test::buildRaw(Picture::pattern(5, 2, 24)));
    test::writeFile(in.path("music.wav"), test::buildWav({1, 0x80, 0xFF, 0x7F, 0, 0x81, 0xFE, 2},
                                                         {.channels = 2, .bits = 16}));
    const struct {
        std::string input;
        std::vector<std::string> options;
        std::string output, name;
        int pal = 1, onlyPal = 0, fill = 1;
        bool add = false;
        test::ScriptedUi::RawAnswer raw = {};
    } rows[] = {
        // clang-format off
        {"int.bmp", {}, "a.h", "int_"},  // a C keyword is no array name
        {"sky.RAW", {"--raw=5x2x24", "--fill=0"}, "a.h", "sky", 1, 0, 0, false, {"5", "2", true}},
        {"music.wav", {"--name", "_x1"}, "a.sef", "_x1"},
        {"int.bmp", {"--only-palette"}, "a.h", "int_", 1, 1},
        {"int.bmp", {"-a", "--no-palette", "--fill", "0", "-nship"}, "a.c", "ship", 0, 0, 0, true},
        // clang-format on
    };
    for (const auto& r : rows) {
        const std::string input = in.path(r.input), window = in.path("window" + r.output),
                          cli = in.path("cli" + r.output);
        SCOPED_TRACE(r.input + " to " + r.output);
        for (const auto& file : {window, cli})  // no line end: the added lines end this one
            r.add ? test::writeText(file, "#define ALREADY 1") : void();
        std::string shown;
        const auto setControls = [&](Form1& f) {
            shown = f.lblBMPName.Caption;
            if (!hasKind(input, "wav")) {
                f.chkPal.setValue(r.pal);
                f.chkOnlyPal.setValue(r.onlyPal);
                (r.fill ? f.optFill1 : f.optFill0).select();
            }
            f.txtVar.Text() = r.name;
        };
        ASSERT_EQ(test::convertInWindow(input, window, r.add, r.raw, setControls),
                  std::vector<std::string>{"Convertion done successfully :)"});
        std::vector<std::string> args = r.options;
        args.insert(args.end(), {input, cli});
        auto run = test::runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err + run.out, "");
        EXPECT_EQ(test::readFile(cli), test::readFile(window));
        if (r.add)
            continue;                    // --info writes nothing, so it takes no --append
        EXPECT_NE(modified(cli), kY2k);  // new bytes over an earlier row's file
        const struct timespec y2k[2] = {{kY2k, 0}, {kY2k, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, cli.c_str(), y2k, 0), 0);
        EXPECT_EQ(test::runCli(args).exitCode, 0);
        EXPECT_EQ(modified(cli), kY2k);
        args.back() = "--info";
        std::erase(shown, '\r');
        while (shown.ends_with('\n'))
            shown.pop_back();
        run = test::runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, shown + "\n");
    }
    EXPECT_EQ(test::folderEntries(in.dir()).size(), 9u);  // no temporary file left
}

}  // namespace
}  // namespace tessera
