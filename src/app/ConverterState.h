// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "../formats/picture/PictureInfo.h"
#include "../formats/sound/SoundInfo.h"
#include "../platform/TextStream.h"

namespace tessera {

// The variables every command of the window shares, under the names the commands use. They live
// as long as the window; numbers start at 0, texts and arrays empty.
//
// The picture arrays hold numbers, not text: strValues and strPal keep each GP32 colour as its
// 16-bit value, and the writers produce the upper-case hexadecimal text from it when they write.
// Sixteen million heap strings for a 4096 x 4096 picture would cost a gigabyte for nothing. The
// arrays are 0-based here: element k of the screen order is index k - 1.
struct ConverterState {
    // Input file and output.
    std::string strImgPath;                // full path of the current input, picture or sound
    std::string strImgTitle;               // its name with extension, without folders
    std::string strOutPath;                // output path accepted in the last save dialog
    std::int16_t bAddMode = 0;             // 0 for a new file, -1 when adding to an existing one
    std::unique_ptr<TextStream> tsOut;     // the text output while a text writer runs
    std::unique_ptr<TextStream> tsHeader;  // its header, when the arrays go to a file of their own
    bool includeGraphicsHeader = true;     // a palette's block includes the graphics header

    // Picture: the loaded picture as its load described it (for a RAW file with the size typed
    // in); the conversions never read its headers again. Its values go by their variables' names
    // below, each kept once, here.
    std::optional<PictureInfo> picture;
    std::int16_t intGP32Mode = 0;          // 8 when it is written as 8-bit indices, else 16
    std::int32_t lngFillBit = 0;           // the GP32 intensity bit added to every colour
    std::vector<std::uint8_t> bytData;     // 8-bit colour indices in GP32 screen order
    std::vector<std::uint16_t> strValues;  // 16-bit GP32 colours in GP32 screen order
    std::vector<std::uint16_t> strPal;     // palette as GP32 colours

    std::int32_t lngWidth() const { return picture ? picture->width : 0; }
    std::int32_t lngHeight() const { return picture ? picture->height : 0; }
    std::int16_t intBpp() const { return picture ? picture->bitsPerPixel : 0; }

    // Sound: the loaded sound as its load described it. The samples are streamed from the file
    // by the writers in blocks, so there is no whole-sound buffer: a ten-minute stereo sound
    // would otherwise be 100 MB of memory. The "fmt " fields as the file stores them, unsigned:
    // 65535 channels or a rate of 4 GHz are shown and refused as what they are, not wrapped into
    // -1 or 0.
    std::optional<SoundInfo> sound;

    std::uint16_t intChannels() const { return wav().channels; }
    std::string strSndMode() const { return intChannels() == 2 ? "Stereo" : "Mono"; }
    std::uint32_t lngFreq() const { return wav().sampleRate; }
    std::uint16_t intSndBits() const { return wav().bitsPerSample; }
    std::int32_t lngSndLength() const { return wav().dataLength; }  // bytes of sample data
    // Where the samples start (44 in a canonical header).
    std::int64_t lngSndDataOffset() const { return wav().dataOffset; }
    // IEEE float samples rather than integer PCM.
    bool soundFloating() const { return wav().formatCode == kWaveFloat; }

  private:
    const WavLayout& wav() const {
        static const WavLayout none;
        return sound ? sound->layout : none;
    }
};

}  // namespace tessera
