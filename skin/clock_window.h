#pragma once

#include "platform/calendar_clock.h"
#include "platform/pe_module.h"
#include "skin/digit_display.h"
#include "skin/digit_set.h"

#include <QBasicTimer>

#include <cstdint>

namespace tessalo {

// The playing time as MMSS in four digit cells, floating over the game window. Time is counted
// in calendar seconds; the one-second timer only refreshes the display, so a late tick loses
// nothing.
class ClockWindow final : public DigitDisplay {
  public:
    // Created hidden; `gameWindow` is the parent it floats over and is dragged within.
    ClockWindow(const CalendarClock& calendar, QWidget* gameWindow);

    // The placement record, the face "IDB_CLOCK" and the digit set, each on its own. False when
    // any is missing, short or undecodable; what did load is kept. Without a placement the
    // clock is not shown, but it still counts the time.
    bool loadSkin(const PeModule& module);
    // Zeroes the time, moves to `position` (game-window coordinates) and shows the clock, stopped.
    void createOwned(QPoint position);

    void startNewGame();
    void resumeRun();
    void stop();

    // The total the clock shows, set whenever the time changes and not by painting: the game's
    // time, even when the clock cannot be drawn. Never negative.
    int shownSeconds() const { return shownSeconds_; }
    bool isRunning() const { return tickTimer_.isActive(); }
    const DigitSet& digitSet() const { return digitSet_; }

    // What the one-second timer does; public so a test can stand in for the timer.
    void tick();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    std::int64_t now() const { return calendar_.secondsSinceEpoch(); }
    void startRun();
    void showTotal();

    const CalendarClock& calendar_;
    DigitSet digitSet_;
    // 64 bits: a calendar set far forward must not overflow the sum.
    std::int64_t accumulatedSeconds_ = 0;
    std::int64_t runStart_ = 0;
    std::int64_t runSeconds_ = 0;
    int shownSeconds_ = 0;
    QBasicTimer tickTimer_;
};

} // namespace tessalo
