#include "platform/sound_player.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace tessalo {
namespace {

// 8-bit mono at 8000 Hz, 400 samples of a square wave: a twentieth of a second.
std::vector<std::uint8_t> shortBeep() {
    std::vector<std::uint8_t> image = {
        'R', 'I', 'F', 'F', 0xB4, 0x01, 0, 0, 'W',  'A',  'V', 'E', // 436 bytes follow
        'f', 'm', 't', ' ', 16,   0,    0, 0,                       //
        1,   0,   1,   0,   0x40, 0x1F, 0, 0, 0x40, 0x1F, 0,   0,   // PCM, mono, 8000 Hz
        1,   0,   8,   0,                                           // 1 byte a frame, 8 bits
        'd', 'a', 't', 'a', 0x90, 0x01, 0, 0,                       // 400 bytes
    };
    for (int i = 0; i < 400; ++i)
        image.push_back((i / 10) % 2 ? 0xA0 : 0x60);
    return image;
}

bool noAudioOutput() {
    return QMediaDevices::defaultAudioOutput().isNull();
}

TEST(SoundPlayer, PlaysNothingWithoutAnAudioOutputOrAPlayableImage) {
    SoundPlayer player;
    const auto beep = shortBeep();

    player.play(beep);
    if (noAudioOutput()) {
        EXPECT_FALSE(player.isPlaying());
    }
    QCoreApplication::processEvents();

    auto damaged = beep;
    damaged[40] = 0xFF; // the samples now run far past the end
    player.play(damaged);
    EXPECT_FALSE(player.isPlaying());

    player.play({});
    EXPECT_FALSE(player.isPlaying());

    const std::vector<std::uint8_t> noise = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    player.play(noise);
    EXPECT_FALSE(player.isPlaying());
    QCoreApplication::processEvents();
}

TEST(SoundPlayer, ANewSoundReplacesTheOneStillPlaying) {
    SoundPlayer player;
    player.play(shortBeep());
    player.play(shortBeep());
    if (noAudioOutput()) {
        EXPECT_FALSE(player.isPlaying());
    }
    player.stop();
    EXPECT_FALSE(player.isPlaying());
    player.stop();
}

TEST(SoundPlayer, KeepsItsOwnCopyOfTheSound) {
    SoundPlayer player;
    {
        // The caller's bytes go away, and what was there is overwritten, while the sound plays.
        auto beep = shortBeep();
        player.play(beep);
        std::fill(beep.begin(), beep.end(), 0);
    }
    QTest::qWait(100);
    player.play(shortBeep()); // after the first one has ended, where there is an output
    QTest::qWait(10);
}

TEST(SoundPlayer, DestroyedWhilePlaying) {
    auto player = std::make_unique<SoundPlayer>();
    player->play(shortBeep());
    player.reset();
    QCoreApplication::processEvents();
}

} // namespace
} // namespace tessalo
