// SPDX-License-Identifier: GPL-3.0-or-later
#include <sndfile.h>

#include "gui/GuiSupport.h"
#include "gui/SoundOptionsDialog.h"
#include "support/SoundBuilder.h"

namespace tessera {
namespace {

using SoundOptionsView = test::GuiFixture;
using gui::SoundOptionsDialog;

// The dialog shows the model's values and hands the controls' values over on OK only; a typed
// rate outside 1000..384000 greys OK.
TEST_F(SoundOptionsView, ValuesReachTheModelOnlyOnOk) {
    window.showSoundOptions();
    SoundOptionsDialog* d = window.soundOptions();
    ASSERT_TRUE(d != nullptr && d->isVisible());
    QStringList listed;
    for (int i = 0; i < d->rateBox()->count(); ++i)
        listed << d->rateBox()->itemText(i);
    EXPECT_EQ(listed, (QStringList{SoundOptionsDialog::fileRateText(), "8000", "11025", "16000",
                                   "22050", "32000", "44100", "48000"}));
    const auto setAll = [d](const QString& rate) {
        d->rateBox()->setCurrentText(rate);
        d->monoBox()->setChecked(true);
        d->bitsBox()->setCurrentIndex(1);
        d->normalizeBox()->setChecked(true);
        d->ditherBox()->setChecked(true);
    };
    setAll("12345");
    d->reject();
    EXPECT_EQ(form.soundTarget, SoundTarget{});

    window.showSoundOptions();
    EXPECT_EQ(d->rateBox()->currentText(), SoundOptionsDialog::fileRateText());
    EXPECT_FALSE(d->monoBox()->isChecked());
    setAll("999");
    EXPECT_FALSE(d->okButton()->isEnabled());
    d->rateBox()->setCurrentText("12345");
    QTest::mouseClick(d->okButton(), Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    const SoundTarget asked{
        .rate = 12345, .mono = true, .bits = 8, .normalize = true, .dither = true};
    EXPECT_EQ(form.soundTarget, asked);
    window.showSoundOptions();
    EXPECT_EQ(d->target(), asked);
}

// Before a sound is loaded "Play as on the GP32" is greyed with the reason; after, it is greyed
// only where the machine has no audio output (as on CI), again with the reason.
TEST_F(SoundOptionsView, PlayIsGreyedWithItsReason) {
    window.showSoundOptions();
    SoundOptionsDialog* d = window.soundOptions();
    EXPECT_FALSE(d->playButton()->isEnabled());
    EXPECT_EQ(d->playButton()->toolTip(), "Load a sound first: there is nothing to play.");
    d->reject();
    const test::Tone tone = test::sineTone(440, 16000, 0.1, 2);
    EXPECT_TRUE(drop("beep.flac", test::buildSound(tone, SF_FORMAT_FLAC | SF_FORMAT_PCM_16)));
    ASSERT_TRUE(form.soundLoaded());
    window.showSoundOptions();
    const QString problem = d->playProblem();
    EXPECT_TRUE(problem.isEmpty() || problem == "This machine has no audio output to play on.");
    EXPECT_EQ(d->playButton()->isEnabled(), problem.isEmpty());
    if (!problem.isEmpty()) {
        EXPECT_EQ(d->playButton()->toolTip(), problem);
    }
}

}  // namespace
}  // namespace tessera
