#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace tessera {
class Form1;
}

namespace tessera::gui {

// The loaded picture as the GP32 shows it, worked out from the very values a conversion writes.
// The GP32 draws each column of the data from the bottom up, a whole padded column high, so the
// preview is `columnLength` rows high: a bitmap's padding shows above it, a RAW picture's below.
struct PreviewPicture {
    int width = 0;
    int height = 0;   // a padded column
    int padding = 0;  // rows of the column that are padding
    int bpp = 0;
    bool hasPalette = false;             // false for 24-bit and RAW 8-bit pictures
    std::vector<std::uint16_t> colours;  // GP32 colours, top row first, left to right
    std::vector<std::uint16_t> palette;  // an 8-bit bitmap's palette as GP32 colours
    std::string refusal;                 // why there is nothing to show, else empty

    std::uint16_t at(int x, int y) const { return colours[std::size_t(y) * width + x]; }
    QImage image() const;
};

// What the GP32's screen makes of a colour: five bits a channel, the intensity bit as every
// channel's sixth, lowest bit.
QRgb shownColour(std::uint16_t gp32);

// Converts the picture loaded in `form` with its current intensity bit, through the formats
// layer's placement and palette reading (the conversion's own code), leaving the window and its
// state as they were. An 8-bit bitmap's indices take their colours from its palette; a RAW 8-bit
// picture has none and shows its indices as grey levels.
PreviewPicture previewOf(const Form1& form);

}  // namespace tessera::gui
