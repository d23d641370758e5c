// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Controls.h"

namespace tessera {

// The RAW image dialog: asks for the size and depth that a headerless RAW file cannot tell. It is
// created afresh each time it is shown, so it always opens with the same size and 8 bits, and it
// hands its values over as text in three hidden labels of the main window.
class DialogRAW {
  public:
    static constexpr const char* kCaption = "RAW File configuration";
    static constexpr int kClientWidth = 2400;  // twips
    static constexpr int kClientHeight = 2325;
    static constexpr const char* kOpeningWidth = "320";
    static constexpr const char* kOpeningHeight = "240";

    DialogRAW(Label& lblIMGWidth, Label& lblIMGHeight, Label& lblIMGbpp);

    Label Label2{"Label2", "Image Width :", {120, 120, 1095, 255}, 2};
    TextBox txtRAWWidth{"txtRAWWidth", kOpeningWidth, {1320, 120, 975, 315}, 3};
    Label Label1{"Label1", "Image Height :", {120, 600, 1095, 255}, 1};
    TextBox txtRAWHeight{"txtRAWHeight", kOpeningHeight, {1320, 600, 975, 315}, 4};
    Frame Frame1{"Frame1", "Bits per Pixel", {240, 960, 1935, 735}, 5};
    OptionButton opt8b{"opt8b", "8 bits", {120, 360, 855, 255}, 6, &Frame1, true};
    OptionButton opt24b{"opt24b", "24 bits", {960, 360, 855, 255}, 7, &Frame1, false};
    CommandButton OKButton{"OKButton", "OK", {600, 1800, 1215, 375}, 0};

    // Every control, in tab order, for views that build widgets from the model.
    std::vector<Control*> controls();

    // Hands the typed texts over unchecked; the image load makes numbers of them.
    void OKButton_Click();
    bool unloaded() const { return unloaded_; }

  private:
    Label& lblIMGWidth_;
    Label& lblIMGHeight_;
    Label& lblIMGbpp_;
    bool unloaded_ = false;
};

}  // namespace tessera
