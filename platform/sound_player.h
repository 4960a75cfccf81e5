#pragma once

#include <QBuffer>
#include <QObject>

#include <cstdint>
#include <memory>
#include <span>

class QAudioSink;

namespace tessalo {

// Plays a complete WAVE file image in the background, the way a pair sound is played: `play`
// returns at once, and a new sound cuts off the one still playing. Without an audio output, or
// with an image that is not playable PCM, nothing is played and nothing is reported.
class SoundPlayer : public QObject {
    Q_OBJECT

  public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // The samples are copied; the caller's bytes may go away as soon as this returns.
    void play(std::span<const std::uint8_t> waveImage);
    void stop();
    bool isPlaying() const;

  private:
    void onFinished();

    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_; // the sink reads the copied samples from here
};

} // namespace tessalo
