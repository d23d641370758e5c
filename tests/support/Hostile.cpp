#include "support/Hostile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/VbText.h"
#include "support/Child.h"

namespace tessera::test {

std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                         bool add, const ScriptedUi::RawAnswer& raw,
                                         const std::function<void(Form1&)>& setup) {
    ScriptedUi ui;
    ui.openWith(input);
    ui.saveAs(output);
    ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    const bool sound = hasKind(input, "wav");
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    if (setup)
        setup(form);
    if (sound)
        (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert).click();
    else
        (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert).click();
    std::vector<std::string> shown;
    for (const auto& m : ui.messages) {
        if (m.style != MsgStyle::YesNoQuestion && m.style != MsgStyle::YesNoExclamation)
            shown.push_back(m.text);
    }
    return shown;
}

void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension) {
    const std::string kOld = "/* kept */\r\n", kDone = "Convertion done successfully :)";
    for (const auto& c : cases) {
        for (const bool add : {false, true}) {
            if (add && !c.output.ends_with(".h"))
                continue;  // binary outputs refuse adding before anything else
            SCOPED_TRACE(c.name + (add ? " (add)" : " (new)"));
            TempDir dir;
            const std::string input = dir.path("input" + extension), output = dir.path(c.output);
            c.make ? c.make(input) : writeFile(input, c.bytes);
            if (add)
                writeText(output, kOld);
            const auto before = folderEntries(dir.dir());
            const ChildResult run = runInChild([&] {
                std::string joined;
                for (const auto& m : convertInWindow(input, output, add, c.raw))
                    joined += m + '\x1f';  // one mark after each message
                return joined;
            });
            ASSERT_EQ(run.status, 0) << run.text;
            EXPECT_LT(run.cpuSeconds, kUnderAsan ? 10 : 2);
            ASSERT_EQ(std::count(run.text.begin(), run.text.end(), '\x1f'), 1) << run.text;
            if (run.text == kDone + '\x1f') {
                EXPECT_NE(c.expect, HostileCase::Refused);
                continue;
            }
            EXPECT_NE(c.expect, HostileCase::Converted) << run.text;
            EXPECT_EQ(folderEntries(dir.dir()), before);
            EXPECT_TRUE(!add || readText(output) == kOld);
            EXPECT_LT(run.maxRssKiB, kUnderAsan ? 1L << 40 : 32 * 1024);
        }
    }
}

}  // namespace tessera::test
