#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::ScriptedUi;

// A writer reporting after every 16 of 16 million elements would otherwise ask the view to
// repaint a million times for a bar at most 2415 twips wide.
TEST(ProgressGuard, ViewHearsOnlyWholeTwipChangesWhileModelStaysExact) {
    ScriptedUi ui;
    Form1 f(ui);
    const std::int64_t count = 16 * 1024 * 1024;
    for (std::int64_t i = 16; i <= count; i += 16) {
        const double width = Form1::kConvertedProgress * static_cast<double>(i) / count;
        f.setPercentWidth(width);
        ASSERT_EQ(f.lblPercent.Width, width);
    }
    EXPECT_LE(ui.progress.size(), static_cast<std::size_t>(Form1::kConvertedProgress) + 1);
    EXPECT_GE(ui.progress.size(), static_cast<std::size_t>(Form1::kConvertedProgress) - 16);
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress.back(), Form1::kConvertedProgress);
}

TEST(ProgressGuard, ResetAndJumpsAreAlwaysReported) {
    struct Case {
        double from, to;
        bool reported;
    };
    for (const Case c :
         {Case{1415.0, 0.0, true}, Case{0.0, 2415.0, true}, Case{100.2, 100.4, false},
          Case{100.4, 100.6, false}, Case{100.6, 101.0, true}, Case{0.4, 0.0, true},
          Case{15.0, 15.0, false}, Case{99.9, 100.1, true}}) {
        ScriptedUi ui;
        Form1 f(ui);
        f.lblPercent.Width = c.from;
        f.setPercentWidth(c.to);
        EXPECT_EQ(f.lblPercent.Width, c.to);
        EXPECT_EQ(ui.progress.size(), c.reported ? 1u : 0u) << c.from << " -> " << c.to;
    }
}

}  // namespace
}  // namespace tessera
