#pragma once

#include "game/game_result.h"
#include "platform/calendar_clock.h"
#include "records/records_table.h"

#include <functional>
#include <string>

class QWidget;

namespace tessalo {

class RecordsMessageBoxes;

struct EndOfGameContext {
    RecordsTable& table;
    RecordsMessageBoxes* boxes;           // given `owner` before the table is written; may be null
    std::string& lastPlayerName;          // the name offered next time, for the whole run (cp1251)
    const CalendarClock& calendar;        // the date the record is stored with
    QWidget* owner;                       // the game window
    std::function<void()> refreshRecords; // after a record was stored; may be empty
};

// Asks for a name when the result would enter the records table and stores it. The caller has
// stopped the clock and posts the returned command (start a new game or leave the game).
int runEndOfGame(const GameResult& result, EndOfGameContext& context);

} // namespace tessalo
