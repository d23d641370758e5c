// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/SoundOptionsDialog.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/Form1.h"

namespace tessera::gui {

namespace {

// The rates games and sound cards use most; any other from kMinRate to kMaxRate may be typed.
constexpr int kListedRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000};

QAudioFormat formatOf(const SoundAsPlayed& sound) {
    QAudioFormat format;
    format.setSampleRate(sound.rate());
    format.setChannelCount(sound.channels());
    format.setSampleFormat(sound.bits() == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

}  // namespace

PlayedSamples::PlayedSamples(std::unique_ptr<SoundAsPlayed> sound, QObject* parent)
    : QIODevice(parent), sound_(std::move(sound)) {
    open(QIODevice::ReadOnly);
}

qint64 PlayedSamples::readData(char* data, qint64 size) {
    try {
        return static_cast<qint64>(
            sound_->read({reinterpret_cast<std::uint8_t*>(data), static_cast<std::size_t>(size)}));
    } catch (const std::exception&) {
        return -1;  // the file went away while it played: the output stops
    }
}

QString SoundOptionsDialog::fileRateText() {
    return tr("The file's own");
}

SoundOptionsDialog::SoundOptionsDialog(Form1& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(tr("Sound options"));
    rate_ = new QComboBox(this);
    rate_->setEditable(true);
    rate_->addItem(fileRateText());
    for (const int rate : kListedRates)
        rate_->addItem(QString::number(rate));
    rate_->lineEdit()->setValidator(new QIntValidator(1, kMaxRate, rate_));
    rate_->setToolTip(
        tr("Samples a second, %1 to %2 Hz: pick one or type any").arg(kMinRate).arg(kMaxRate));
    mono_ = new QCheckBox(tr("Mono (the average of the two channels)"), this);
    bits_ = new QComboBox(this);
    bits_->addItems({fileRateText(), tr("8 bits"), tr("16 bits")});
    normalize_ = new QCheckBox(tr("Normalize (the loudest sample to full scale)"), this);
    dither_ = new QCheckBox(tr("Dither when 16 bits become 8"), this);
    play_ = new QPushButton(tr("Play as on the GP32"), this);

    auto* form_layout = new QFormLayout;
    form_layout->addRow(tr("&Rate (Hz):"), rate_);
    form_layout->addRow(tr("&Depth:"), bits_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_layout);
    for (QWidget* w : {static_cast<QWidget*>(mono_), static_cast<QWidget*>(normalize_),
                       static_cast<QWidget*>(dither_), static_cast<QWidget*>(play_)})
        layout->addWidget(w);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (const auto t = target()) {
            form_.soundTarget = *t;
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { stop(); });
    connect(play_, &QPushButton::clicked, this, [this] { sink_ ? stop() : play(); });
    connect(rate_, &QComboBox::currentTextChanged, this, [this] { controlsChanged(); });
    refresh();
}

SoundOptionsDialog::~SoundOptionsDialog() {
    stop();
}

std::optional<SoundTarget> SoundOptionsDialog::target() const {
    SoundTarget t;
    const QString rate = rate_->currentText().trimmed();
    if (rate != fileRateText()) {
        bool number = false;
        const int hz = rate.toInt(&number);
        if (!number || hz < kMinRate || hz > kMaxRate)
            return std::nullopt;
        t.rate = hz;
    }
    t.mono = mono_->isChecked();
    t.bits = bits_->currentIndex() == 1 ? 8 : bits_->currentIndex() == 2 ? 16 : 0;
    t.normalize = normalize_->isChecked();
    t.dither = dither_->isChecked();
    return t;
}

QString SoundOptionsDialog::playProblem() const {
    if (!form_.soundLoaded())
        return tr("Load a sound first: there is nothing to play.");
    if (QMediaDevices::defaultAudioOutput().isNull())
        return tr("This machine has no audio output to play on.");
    if (!target())
        return tr("Give a rate from %1 to %2 Hz.").arg(kMinRate).arg(kMaxRate);
    return {};
}

void SoundOptionsDialog::refresh() {
    const SoundTarget& t = form_.soundTarget;
    rate_->setCurrentText(t.rate == 0 ? fileRateText() : QString::number(t.rate));
    mono_->setChecked(t.mono);
    bits_->setCurrentIndex(t.bits == 8 ? 1 : t.bits == 16 ? 2 : 0);
    normalize_->setChecked(t.normalize);
    dither_->setChecked(t.dither);
    controlsChanged();
}

void SoundOptionsDialog::controlsChanged() {
    const QString problem = playProblem();
    play_->setEnabled(problem.isEmpty() || sink_ != nullptr);
    play_->setToolTip(problem.isEmpty() ? tr("Plays the samples a convert would write") : problem);
    ok_->setEnabled(target().has_value());
}

void SoundOptionsDialog::play() {
    const auto t = target();
    if (!t)
        return;
    try {
        auto sound = std::make_unique<SoundAsPlayed>(form_, *t);
        const QAudioFormat format = formatOf(*sound);
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (!output.isFormatSupported(format)) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("The audio output cannot play %1 Hz %2-bit sound.")
                                     .arg(sound->rate())
                                     .arg(sound->bits()));
            return;
        }
        sink_ = new QAudioSink(output, format, this);
        auto* samples = new PlayedSamples(std::move(sound), sink_);  // goes with the output
        connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState || state == QAudio::StoppedState)
                QMetaObject::invokeMethod(
                    this, [this] { stop(); }, Qt::QueuedConnection);
        });
        sink_->start(samples);
        play_->setText(tr("Stop"));
    } catch (const std::exception& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
    }
}

void SoundOptionsDialog::stop() {
    if (!sink_)
        return;
    QAudioSink* sink = std::exchange(sink_, nullptr);
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
    play_->setText(tr("Play as on the GP32"));
    controlsChanged();
}

}  // namespace tessera::gui
