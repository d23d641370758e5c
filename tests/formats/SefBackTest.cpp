// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "formats/back/BackPicture.h"
#include "formats/back/ConvertedFile.h"
#include "platform/InputFile.h"
#include "platform/OutputFile.h"
#include "support/Files.h"

namespace tessera {
namespace {

// A 16-bit sound whose data chunk ended in half a sample: an older .sef counts 7 bytes and holds
// the 3 whole samples. Its way back is a WAV of 7 data bytes again, the 3 samples signed once
// more and the half sample as a zero byte, then the pad byte RIFF wants after an odd chunk.
TEST(SefBack, AnOddLengthComesBackAsTheWavItWas) {
    test::TempDir dir;
    test::Bytes sef = {'s', 'e', 'f', ' '};
    test::appendLe32(sef, 7);
    const test::Bytes samples{0x01, 0x80, 0xFF, 0x7F, 0x00, 0x00};
    sef.insert(sef.end(), samples.begin(), samples.end());
    test::writeFile(dir.path("odd.sef"), sef);
    const ConvertedBlock sound = readSef(InputFile(dir.path("odd.sef")), 16, 1, 22050);
    EXPECT_EQ(sound.count(), 3);
    OutputFile out(dir.path("odd.wav"), OutputFile::Mode::Replace);
    writeWav(out, sound);
    out.commit();
    const test::Bytes wav = test::readFile(dir.path("odd.wav"));
    ASSERT_EQ(wav.size(), 44u + 8u);
    EXPECT_EQ(test::Bytes(wav.begin() + 40, wav.begin() + 44), (test::Bytes{7, 0, 0, 0}));
    EXPECT_EQ(test::Bytes(wav.begin() + 44, wav.end()),
              (test::Bytes{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x00}));
}

}  // namespace
}  // namespace tessera
