#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

// A writer reporting after every 16 of millions of elements would otherwise have the view
// repaint a bar at most 2415 twips wide a million times: the view hears of whole-twip changes,
// resets and jumps, while the model keeps the exact width.
TEST(ProgressGuard, ViewHearsOnlyWholeTwipChanges) {
    for (const auto& [from, to, reported] :
         std::vector<std::tuple<double, double, bool>>{{1415.0, 0.0, true},
                                                       {0.0, 2415.0, true},
                                                       {100.2, 100.4, false},
                                                       {100.4, 100.6, false},
                                                       {100.6, 101.0, true},
                                                       {0.4, 0.0, true},
                                                       {15.0, 15.0, false},
                                                       {99.9, 100.1, true}}) {
        test::ScriptedUi ui;
        Form1 f(ui);
        f.lblPercent.Width = from;
        f.setPercentWidth(to);
        EXPECT_EQ(f.lblPercent.Width, to);
        EXPECT_EQ(ui.progress.size(), reported ? 1u : 0u) << from << " -> " << to;
    }
}

}  // namespace
}  // namespace tessera
