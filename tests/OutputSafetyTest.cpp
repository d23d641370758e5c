#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/Errors.h"
#include "app/Form1.h"
#include "app/OutputFile.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::folderEntries;
using test::runInChild;

constexpr const char* kOld = "/* what the user already had */\r\n";

// Writes `bytes` through an OutputFile and commits; returns the failure text, empty on success.
std::string writeThrough(const std::string& path, OutputFile::Mode mode, std::size_t bytes) {
    try {
        OutputFile out(path, mode);
        out.write(std::string(bytes, 'x'));
        out.commit();
    } catch (const TesseraError& e) {
        return e.what();
    }
    return {};
}

struct OutputSafety : ::testing::Test {
    test::TempDir dir;
    test::ScriptedUi ui;
    Form1 form{ui};

    std::string loadPicture() {
        const auto path = dir.path("pic.bmp");
        test::writeFile(path, test::buildBmp(test::Picture::pattern(4, 4, 8)));
        ui.openWith(path);
        form.cmdBMPLoad.click();
        return path;
    }
    // The failures the window showed (questions and the success message left out).
    std::vector<std::string> failures() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages) {
            if (m.style == MsgStyle::OkExclamation)
                out.push_back(m.text);
        }
        return out;
    }
};

TEST_F(OutputSafety, UnusablePathsAreRefusedWithTheSystemsReason) {
    fs::create_directory(dir.path("folder.h"));
    test::writeText(dir.path("plain.txt"), kOld);
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases{
        {dir.path("folder.h"), "it is a folder"},
        {dir.path("missing/out.h"), "No such file or directory"},
        {dir.path("plain.txt/out.h"), "Not a directory"},
    };
    loadPicture();
    const auto before = folderEntries(dir.dir());
    for (const auto& c : cases) {
        for (const auto mode : {OutputFile::Mode::Replace, OutputFile::Mode::Append}) {
            SCOPED_TRACE(c.path);
            const auto text = writeThrough(c.path, mode, 10);
            EXPECT_EQ(text.rfind("Can't write this file :(\r\n" + c.path + ": ", 0), 0u) << text;
            EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        }
        // The same through the window: one message box, nothing created.
        ui.messages.clear();
        ui.saveAs(c.path);
        form.cmdBMPConvert.click();
        ui.saveAs(c.path);
        form.cmdBMPConvertAdd.click();
        EXPECT_EQ(failures().size(), 2u);
        EXPECT_EQ(folderEntries(dir.dir()), before);
        EXPECT_EQ(test::readText(dir.path("plain.txt")), kOld);
    }
}

TEST_F(OutputSafety, TheInputIsNeverTheOutput) {
    const auto input = loadPicture();
    const Bytes original = test::readFile(input);
    fs::create_symlink(input, dir.path("alias.h"));
    for (const auto& output : {input, dir.path("alias.h")}) {
        for (auto* button : {&form.cmdBMPConvert, &form.cmdBMPConvertAdd}) {
            ui.messages.clear();
            ui.saveAs(output);
            button->click();
            ASSERT_EQ(failures().size(), 1u) << output;
            EXPECT_NE(failures()[0].find("the output would replace the input"), std::string::npos);
            EXPECT_EQ(test::readFile(input), original);
        }
    }
}

TEST_F(OutputSafety, AddingToABinaryFileIsRefused) {
    loadPicture();
    Bytes binary{'G', 'P', 'G', '0', 0, 0, 1, 0};
    binary.resize(70000, 'a');  // the NUL sits well inside the part that is looked at
    test::writeFile(dir.path("image.h"), binary);
    ui.saveAs(dir.path("image.h"));
    form.cmdBMPConvertAdd.click();
    ASSERT_EQ(failures().size(), 1u);
    EXPECT_NE(failures()[0].find("not a text file"), std::string::npos) << failures()[0];
    EXPECT_EQ(test::readFile(dir.path("image.h")), binary);

    // Text, however long, is not taken for binary.
    test::writeText(dir.path("text.h"), std::string(70000, 'a') + kOld);
    ui.messages.clear();
    ui.saveAs(dir.path("text.h"));
    form.cmdBMPConvertAdd.click();
    for (const auto& f : failures())
        EXPECT_EQ(f.find("not a text file"), std::string::npos) << f;
}

TEST_F(OutputSafety, ReadOnlyFilesAndFoldersStopAnUnprivilegedUser) {
    // Root writes through any mode bits, so the cases run as "nobody" in a child process.
    fs::permissions(dir.dir(), fs::perms::owner_all | fs::perms::others_exec);
    const auto rw = dir.path("rw"), ro = dir.path("ro");
    fs::create_directory(rw);
    fs::create_directory(ro);
    test::writeText(rw + "/locked.h", kOld);
    test::writeText(ro + "/kept.h", kOld);
    ::chmod((rw + "/locked.h").c_str(), 0444);
    ::chmod((ro + "/kept.h").c_str(), 0666);
    ::chmod(rw.c_str(), 0777);
    ::chmod(ro.c_str(), 0555);
    const std::vector<std::pair<std::string, OutputFile::Mode>> cases{
        {rw + "/locked.h", OutputFile::Mode::Replace}, {rw + "/locked.h", OutputFile::Mode::Append},
        {ro + "/new.h", OutputFile::Mode::Replace},    {ro + "/new.h", OutputFile::Mode::Append},
        {ro + "/kept.h", OutputFile::Mode::Replace},
    };
    for (const auto& [path, mode] : cases) {
        SCOPED_TRACE(path);
        const auto result = runInChild([&, p = path, m = mode] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                return std::string("cannot become nobody");
            return writeThrough(p, m, 100);
        });
        ASSERT_TRUE(result.exitedWith(0)) << result.text;
        EXPECT_NE(result.text.find("Permission denied"), std::string::npos) << result.text;
    }
    EXPECT_EQ(test::readText(rw + "/locked.h"), kOld);
    EXPECT_EQ(test::readText(ro + "/kept.h"), kOld);
    EXPECT_EQ(folderEntries(rw), std::vector<std::string>{"locked.h"});
    EXPECT_EQ(folderEntries(ro), std::vector<std::string>{"kept.h"});
    EXPECT_EQ(fs::status(rw + "/locked.h").permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(OutputSafety, AFullDiskLeavesNoTraceAndNoDamage) {
    test::writeText(dir.path("old.h"), kOld);
    // RLIMIT_FSIZE stops writes past 64 KiB, the way a full disk would stop them mid-file.
    for (const auto& [name, mode] : std::vector<std::pair<std::string, OutputFile::Mode>>{
             {"new.h", OutputFile::Mode::Replace},
             {"old.h", OutputFile::Mode::Replace},
             {"old.h", OutputFile::Mode::Append},
             {"fresh.h", OutputFile::Mode::Append}}) {
        SCOPED_TRACE(name);
        const auto result = runInChild([&, path = dir.path(name), m = mode] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1 << 16, 1 << 16};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return writeThrough(path, m, 300000);
        });
        ASSERT_TRUE(result.exitedWith(0)) << result.text;
        EXPECT_NE(result.text.find("File too large"), std::string::npos) << result.text;
        EXPECT_EQ(folderEntries(dir.dir()), std::vector<std::string>{"old.h"});
        EXPECT_EQ(test::readText(dir.path("old.h")), kOld);
    }
}

void removeTemporariesAndDie(int signal) {
    removePendingTemporaryFiles();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

TEST_F(OutputSafety, AnInterruptedWriteRemovesItsTemporaryFile) {
    test::writeText(dir.path("old.h"), kOld);
    for (const int sig : {SIGINT, SIGTERM}) {
        const auto result = runInChild([&, sig] {
            ::signal(sig, removeTemporariesAndDie);
            OutputFile out(dir.path("old.h"), OutputFile::Mode::Replace);
            out.write(std::string(300000, 'x'));  // flushed in part to the temporary file
            if (folderEntries(dir.dir()).size() != 2)
                return std::string("no temporary file while writing");
            ::raise(sig);
            return std::string("survived the signal");
        });
        EXPECT_TRUE(result.killedBy(sig)) << result.text;
        EXPECT_EQ(folderEntries(dir.dir()), std::vector<std::string>{"old.h"});
        EXPECT_EQ(test::readText(dir.path("old.h")), kOld);
    }
}

TEST_F(OutputSafety, ASymbolicLinkKeepsPointingAtItsReplacedTarget) {
    fs::create_directory(dir.path("real"));
    const auto target = dir.path("real/target.h"), link = dir.path("link.h");
    test::writeText(target, kOld);
    ::chmod(target.c_str(), 0640);
    fs::create_symlink("real/target.h", link);

    ASSERT_EQ(writeThrough(link, OutputFile::Mode::Replace, 5), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "real/target.h");
    EXPECT_EQ(test::readText(target), "xxxxx");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(writeThrough(link, OutputFile::Mode::Append, 2), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readText(target), "xxxxxxx");
    EXPECT_EQ(folderEntries(dir.path("real")), std::vector<std::string>{"target.h"});
}

}  // namespace
}  // namespace tessera
