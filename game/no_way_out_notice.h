#pragma once

#include "game/play_area.h"

#include <QLabel>

namespace tessalo {

inline constexpr const char* kNoWayOutText = "This board can no longer be cleared";
inline constexpr const char* kNoWayOutHint = "Start deals a new board";

// A quiet line at the top of the play area: clicks go through it to the tiles and buttons
// beneath, so play and Help go on as before.
class NoWayOutNotice final : public QLabel {
  public:
    NoWayOutNotice(const PlayArea& playArea, QWidget* gameWindow);

    void showOver();
};

} // namespace tessalo
