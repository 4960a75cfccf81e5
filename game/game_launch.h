#pragma once

#include "game/game_window.h"

namespace tessalo {

// Loads the chosen picture set behind the loading dialog, hides the main dialog and opens the
// game. False, once the player has been told why, when the game cannot start; the main dialog
// then stays on screen.
bool launchGame(QWidget* mainDialog, GameWindow& window, const GameSetup& setup);

} // namespace tessalo
