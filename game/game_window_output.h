#pragma once

#include "game/game_output.h"

namespace tessalo {

class GameWindow;

// Carries out what the rules of play ask on the game window's tiles, clock and indicator.
class GameWindowOutput final : public GameOutput {
  public:
    explicit GameWindowOutput(GameWindow& window) : window_(window) {}

    void setHighlight(int tile, bool on) override;
    void hideTile(int tile) override;
    void showTile(int tile) override;
    void positionTile(int tile, int x, int y, int z) override;
    void playPairSound() override;
    void resetIndicator() override;
    int pairRemoved() override;
    void startClock() override;
    void gameOver() override;

    void beginWaitCursor() override;
    void suspendRedraw() override;
    void resumeRedraw() override;
    void finishDeal() override;

  private:
    GameWindow& window_;
};

} // namespace tessalo
