#include <gtest/gtest.h>

#include "gui/FileFilter.h"

namespace tessera {
namespace {

TEST(FileFilter, DialogFiltersBecomeQtFilters) {
    const char* cases[][2] = {{"Image Files (*.bmp,*.raw)|*.bmp;*.raw|All Files (*.*)|*.*",
                               "Image Files (*.bmp *.raw);;All Files (*)"},
                              {"Sounds|*.wav", "Sounds (*.wav)"},
                              {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(gui::qtFileFilter(c[0]).toStdString(), c[1]) << c[0];
}

}  // namespace
}  // namespace tessera
