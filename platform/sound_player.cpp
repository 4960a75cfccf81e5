#include "platform/sound_player.h"

#include "platform/wave_image.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QMediaDevices>

#include <limits>
#include <optional>
#include <variant>

namespace tessalo {

namespace {

std::optional<QAudioFormat::SampleFormat> sampleFormatFor(std::uint16_t bitsPerSample) {
    switch (bitsPerSample) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    case 24: // widened to 32 bits by playbackSamples
    case 32:
        return QAudioFormat::Int32;
    default:
        return std::nullopt;
    }
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() {
    stop();
}

void SoundPlayer::play(std::span<const std::uint8_t> waveImage) {
    stop();
    if (waveImage.empty())
        return;
    const auto parsed = parseWaveImage(waveImage);
    const auto* wave = std::get_if<WaveImage>(&parsed);
    if (!wave)
        return;
    const auto sampleFormat = sampleFormatFor(wave->format.bitsPerSample);
    if (!sampleFormat || wave->format.sampleRate > std::numeric_limits<int>::max())
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;

    const auto samples = playbackSamples(waveImage, *wave);
    if (samples.empty())
        return;
    buffer_.setData(reinterpret_cast<const char*>(samples.data()),
                    static_cast<qsizetype>(samples.size()));
    buffer_.open(QIODevice::ReadOnly);

    QAudioFormat format;
    format.setSampleRate(static_cast<int>(wave->format.sampleRate));
    format.setChannelCount(wave->format.channels);
    format.setSampleFormat(*sampleFormat);
    sink_ = std::make_unique<QAudioSink>(device, format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState)
            onFinished();
    });
    sink_->start(&buffer_);
}

void SoundPlayer::stop() {
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
    buffer_.setData(QByteArray());
}

bool SoundPlayer::isPlaying() const {
    return sink_ && sink_->state() == QAudio::ActiveState;
}

// The sink runs dry at the end of the samples. It is stopped but kept: deleting it here, inside
// its own signal, would pull it out from under the code that emitted the signal.
void SoundPlayer::onFinished() {
    sink_->disconnect(this);
    sink_->stop();
    buffer_.close();
}

} // namespace tessalo
