#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CliProcess.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

struct timespec modified(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mtim;
}

// Sets a file's time stamp far into the past, so that any rewrite would show.
void makeOld(const std::string& path) {
    const struct timespec old[2] = {{946684800, 0}, {946684800, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
}

// Refusals are the window's own messages on one line, exit status 1, and OUTPUT stays as it was.
TEST(CliRefusal, WindowMessagesOnOneLine) {
    test::TempDir dir;
    test::writeFile(dir.path("tiles.bmp"), test::buildBmp(test::Picture::pattern(4, 4, 8)));
    test::writeFile(dir.path("photo.bmp"), test::buildBmp(test::Picture::pattern(4, 4, 24)));
    test::writeFile(dir.path("beep.wav"), test::buildWav(test::Bytes{1, 2, 3, 4}));
    test::WavOptions floating;
    floating.format = 3;
    test::writeFile(dir.path("float.wav"), test::buildWav(test::Bytes(8, 0), floating));
    struct Case {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"-a", "tiles.bmp", "out.gpg"},
         "tessera-cli: out.gpg: Can't ADD with \".GPG\" Files :(\n"},
        {{"--append", "beep.wav", "out.sef"},
         "tessera-cli: out.sef: Can't ADD with \".SEF\" Files :(\n"},
        {{"--only-palette", "tiles.bmp", "out.gpg"},
         "tessera-cli: out.gpg: Can't export palette with \".GPG\" Files :(\n"},
        {{"photo.bmp", "out.gpg"},
         "tessera-cli: out.gpg: Only 8 bits pictures can be converted in a \".GPG\" file :(\n"},
        {{"float.wav", "out.h"}, "tessera-cli: float.wav: Can't open this kind of WAV file...\n"},
        {{"--info", "float.wav"}, "tessera-cli: float.wav: Can't open this kind of WAV file...\n"},
        {{"missing.wav", "out.h"}, "tessera-cli: missing.wav: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        for (const std::string out : {"out.gpg", "out.sef", "out.h"})
            test::writeText(dir.path(out), "kept");
        const auto run = test::runCli(c.args, dir.dir().string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        for (const std::string out : {"out.gpg", "out.sef", "out.h"})
            EXPECT_EQ(test::readText(dir.path(out)), "kept") << out;
    }
    EXPECT_EQ(test::folderEntries(dir.dir().string()).size(), 7u);
}

// make rebuilds what depends on a header only when the header really changed.
TEST(CliRefusal, SameBytesLeaveTheTimeStamp) {
    test::TempDir dir;
    test::writeFile(dir.path("photo.bmp"), test::buildBmp(test::Picture::pattern(5, 3, 24)));
    test::writeFile(dir.path("tiles.bmp"), test::buildBmp(test::Picture::pattern(5, 3, 8)));
    test::writeFile(dir.path("beep.wav"), test::buildWav(test::Bytes{9, 8, 7}));
    const std::pair<std::string, std::string> cases[] = {
        {"photo.bmp", "photo.h"}, {"tiles.bmp", "tiles.gpg"}, {"beep.wav", "beep.sef"}};
    for (const auto& [input, output] : cases) {
        SCOPED_TRACE(output);
        const std::string path = dir.path(output);
        ASSERT_EQ(test::runCli({"-q", input, output}, dir.dir().string()).exitCode, 0);
        const test::Bytes first = test::readFile(path);
        makeOld(path);
        const auto run = test::runCli({"-q", input, output}, dir.dir().string());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(modified(path).tv_sec, 946684800);
        EXPECT_EQ(test::readFile(path), first);
    }
    // Other bytes replace the file: a new time stamp.
    const auto run = test::runCli({"--fill", "0", "photo.bmp", "photo.h"}, dir.dir().string());
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(modified(dir.path("photo.h")).tv_sec, 946684800);
    EXPECT_EQ(test::folderEntries(dir.dir().string()).size(), 6u);  // no temporary file left
}

}  // namespace
}  // namespace tessera
