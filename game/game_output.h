#pragma once

namespace tessalo {

// What the rules of play ask of their surroundings. The game window carries these out on its tile
// windows, clock and indicator; tests record them.
class GameOutput {
  public:
    virtual ~GameOutput() = default;

    virtual void setHighlight(int tile, bool on) = 0;
    virtual void hideTile(int tile) = 0;
    virtual void showTile(int tile) = 0;
    // Moves the tile's window to its place, clears its highlight without repainting and sends it
    // to the bottom of the stacking order.
    virtual void positionTile(int tile, int x, int y, int z) = 0;
    virtual void playPairSound() = 0;
    virtual void resetIndicator() = 0;
    // Returns the number of tiles left after the pair.
    virtual int pairRemoved() = 0;
    virtual void startClock() = 0;
    virtual void gameOver() = 0;

    // The frame of a deal: wait cursor and suspended redrawing while tiles are rearranged.
    virtual void beginWaitCursor() = 0;
    virtual void suspendRedraw() = 0;
    // Redrawing on again, and the four buttons repainted.
    virtual void resumeRedraw() = 0;
    // Buttons to the bottom of the stacking order, the whole window repainted, wait cursor off.
    virtual void finishDeal() = 0;
};

} // namespace tessalo
