// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIODevice>
#include <memory>
#include <optional>

#include "app/SoundOptions.h"
#include "app/SoundPlayback.h"

class QAudioSink;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace tessera {
class Form1;
}

namespace tessera::gui {

// The converted samples as a device the audio output pulls from, block by block.
class PlayedSamples : public QIODevice {
  public:
    PlayedSamples(std::unique_ptr<SoundAsPlayed> sound, QObject* parent);
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    std::unique_ptr<SoundAsPlayed> sound_;
};

// "Sound options...": the rate (a list, or any number), mono, the depth, normalize and dither
// that the next sound convert writes, and "Play as on the GP32", which plays what it would write.
// OK keeps the values in the model; Cancel leaves it as it was.
class SoundOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    SoundOptionsDialog(Form1& form, QWidget* parent);
    ~SoundOptionsDialog() override;

    // The values the controls show; nothing while the rate typed is not one the tool takes.
    std::optional<SoundTarget> target() const;
    // Why "Play as on the GP32" cannot play, or an empty text when it can.
    QString playProblem() const;
    // The text offered as the rate's first choice: the file's own rate.
    static QString fileRateText();

    QComboBox* rateBox() const { return rate_; }
    QCheckBox* monoBox() const { return mono_; }
    QComboBox* bitsBox() const { return bits_; }
    QCheckBox* normalizeBox() const { return normalize_; }
    QCheckBox* ditherBox() const { return dither_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* okButton() const { return ok_; }

    // Shows the model's values again and the play button's state; called each time it opens.
    void refresh();

  private:
    void play();
    void stop();
    void controlsChanged();

    Form1& form_;
    QComboBox* rate_;
    QCheckBox* mono_;
    QComboBox* bits_;
    QCheckBox* normalize_;
    QCheckBox* dither_;
    QPushButton* play_;
    QPushButton* ok_;
    QAudioSink* sink_ = nullptr;
};

}  // namespace tessera::gui
