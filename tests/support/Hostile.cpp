#include "support/Hostile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "app/Form1.h"

namespace tessera::test {

namespace {

constexpr const char* kDone = "Convertion done successfully :)";
constexpr const char* kOld = "/* kept */\r\n";
constexpr double kMaxSeconds = 2.0;
constexpr long kMaxRefusalKiB = 32 * 1024;

}  // namespace

bool HostileRun::converted() const {
    return messages.size() == 1 && messages[0] == kDone;
}

HostileRun runHostile(const TempDir& dir, const std::string& inputName, const HostileCase& c,
                      bool sound, Command command) {
    const std::string input = dir.path(inputName);
    if (!std::filesystem::exists(std::filesystem::symlink_status(input)))
        writeFile(input, c.bytes);
    HostileRun run;
    run.child = runInChild([&] {
        ScriptedUi ui;
        Form1 form(ui);
        ui.openWith(input);
        ui.rawAnswers.push_back(c.raw);
        (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
        ui.saveAs(dir.path(c.output));
        if (sound)
            (command == Command::New ? form.cmdWAVConvert : form.cmdWAVConvertAdd).click();
        else
            (command == Command::New ? form.cmdBMPConvert : form.cmdBMPConvertAdd).click();
        std::string out;
        for (const auto& m : ui.messages) {
            if (m.style != MsgStyle::YesNoQuestion && m.style != MsgStyle::YesNoExclamation)
                out += m.text + '\x1f';
        }
        return out;
    });
    std::istringstream in(run.child.text);
    for (std::string m; std::getline(in, m, '\x1f');)
        run.messages.push_back(m);
    return run;
}

void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension,
                       bool sound) {
    HostileRun worst;
    std::string worstName;
    for (const auto& c : cases) {
        for (const Command command : {Command::New, Command::Add}) {
            const bool binary = c.output.find(".h") == std::string::npos;
            if (command == Command::Add && binary)
                continue;  // binary outputs refuse adding before anything else
            SCOPED_TRACE(c.name + (command == Command::Add ? " (add)" : " (new)"));
            TempDir dir;
            if (command == Command::Add)
                writeText(dir.path(c.output), kOld);
            const auto before = folderEntries(dir.dir().string());
            const HostileRun run = runHostile(dir, "input" + extension, c, sound, command);
            ASSERT_TRUE(run.child.exitedWith(0))
                << "status " << run.child.status << " " << run.child.text;
            EXPECT_LT(run.child.seconds, kMaxSeconds * (underAddressSanitizer() ? 5 : 1));
            if (run.child.seconds > worst.child.seconds) {
                worst = run;
                worstName = c.name;
            }
            ASSERT_EQ(run.messages.size(), 1u) << ::testing::PrintToString(run.messages);
            if (run.converted()) {
                EXPECT_NE(c.expect, HostileCase::Refused) << run.messages[0];
                continue;
            }
            EXPECT_NE(c.expect, HostileCase::Converted) << run.messages[0];
            auto after = folderEntries(dir.dir().string());
            after.erase(std::remove(after.begin(), after.end(), "input" + extension), after.end());
            auto expected = before;
            expected.erase(std::remove(expected.begin(), expected.end(), "input" + extension),
                           expected.end());
            EXPECT_EQ(after, expected);
            if (command == Command::Add) {
                EXPECT_EQ(readText(dir.path(c.output)), kOld);
            }
            if (!underAddressSanitizer()) {
                EXPECT_LT(run.child.maxRssKiB, kMaxRefusalKiB);
            }
        }
    }
    recordWorst(extension, worst, worstName);
}

void recordWorst(const std::string& table, const HostileRun& run, const std::string& name) {
    std::cout << "[ worst    ] " << table << ": " << name << ", " << run.child.seconds * 1000
              << " ms, peak " << run.child.maxRssKiB / 1024 << " MiB"
              << (underAddressSanitizer() ? " (with AddressSanitizer)" : "") << "\n";
}

}  // namespace tessera::test
