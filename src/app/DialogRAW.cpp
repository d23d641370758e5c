// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialogRAW.h"

#include <algorithm>

namespace tessera {

DialogRAW::DialogRAW(Label& lblIMGWidth, Label& lblIMGHeight, Label& lblIMGbpp)
    : lblIMGWidth_(lblIMGWidth), lblIMGHeight_(lblIMGHeight), lblIMGbpp_(lblIMGbpp) {
    opt8b.group = {&opt24b};
    opt24b.group = {&opt8b};
    OKButton.Click = [this] { OKButton_Click(); };
}

std::vector<Control*> DialogRAW::controls() {
    std::vector<Control*> all{&Label2, &txtRAWWidth, &Label1, &txtRAWHeight,
                              &Frame1, &opt8b,       &opt24b, &OKButton};
    std::sort(all.begin(), all.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return all;
}

void DialogRAW::OKButton_Click() {
    lblIMGHeight_.Caption = txtRAWHeight.Text();
    lblIMGWidth_.Caption = txtRAWWidth.Text();
    lblIMGbpp_.Caption = opt24b.Value ? "24" : "8";
    unloaded_ = true;
}

}  // namespace tessera
