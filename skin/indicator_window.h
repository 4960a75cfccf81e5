#pragma once

#include "platform/pe_module.h"
#include "skin/digit_display.h"
#include "skin/digit_set.h"

namespace tessalo {

// The number of tiles left, three digit cells floating over the game window. It draws with the
// clock's digit set, which must stay alive while the indicator can paint.
class IndicatorWindow final : public DigitDisplay {
  public:
    static constexpr int kFullCount = 144;

    // Created hidden; `gameWindow` is the parent it floats over and is dragged within.
    IndicatorWindow(const DigitSet& digits, QWidget* gameWindow);

    // The placement record and the face "IDB_INDICATOR". False when either is missing, short or
    // undecodable; without a face the digits are drawn over the game window, without a
    // placement the indicator is not shown.
    bool loadSkin(const PeModule& module);
    // A full count, moved to `position` (game-window coordinates) and shown.
    void createOwned(QPoint position);

    void resetCount();
    // The count after the pair left the board.
    int pairRemoved();
    int remaining() const { return remaining_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const DigitSet& digits_;
    int remaining_ = kFullCount;
};

} // namespace tessalo
