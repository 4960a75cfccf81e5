#include "game/game_window_output.h"

#include "game/game_button.h"
#include "game/game_commands.h"
#include "game/game_window.h"
#include "game/tile_window.h"
#include "skin/clock_window.h"
#include "skin/indicator_window.h"

#include <QApplication>

namespace tessalo {

void GameWindowOutput::setHighlight(int tile, bool on) {
    window_.tile(tile)->setHighlighted(on);
}

void GameWindowOutput::hideTile(int tile) {
    window_.tile(tile)->hide();
}

void GameWindowOutput::showTile(int tile) {
    window_.tile(tile)->show();
}

void GameWindowOutput::positionTile(int tile, int x, int y, int z) {
    window_.tile(tile)->setPosition(x, y, z);
}

void GameWindowOutput::playPairSound() {
    window_.playPairSound();
}

void GameWindowOutput::resetIndicator() {
    window_.indicator()->resetCount();
}

int GameWindowOutput::pairRemoved() {
    const int remaining = window_.indicator()->pairRemoved();
    window_.watchForNoWayOut();
    return remaining;
}

void GameWindowOutput::startClock() {
    window_.clock()->startNewGame();
}

void GameWindowOutput::gameOver() {
    window_.endGame();
}

void GameWindowOutput::beginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GameWindowOutput::suspendRedraw() {
    window_.setUpdatesEnabled(false);
}

void GameWindowOutput::resumeRedraw() {
    window_.setUpdatesEnabled(true);
    for (int command :
         {GameCommand::exit, GameCommand::start, GameCommand::help, GameCommand::pause})
        window_.button(command)->update();
}

void GameWindowOutput::finishDeal() {
    // Beneath the tiles, Start highest and Pause lowest; tiles are drawn over them where they meet.
    for (int command :
         {GameCommand::start, GameCommand::help, GameCommand::exit, GameCommand::pause})
        window_.button(command)->lower();
    window_.update();
    QApplication::restoreOverrideCursor();
}

} // namespace tessalo
