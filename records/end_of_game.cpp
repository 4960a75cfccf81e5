#include "records/end_of_game.h"

#include "game/game_commands.h"
#include "platform/cp1251_qstring.h"
#include "records/game_result_dialog.h"
#include "records/records_message_boxes.h"

#include <QPointer>

namespace tessalo {

namespace {

RecordEntry unnamedEntry(const GameResult& result) {
    RecordEntry entry;
    entry.picturesName = result.picturesName;
    entry.layoutName = result.layoutName;
    entry.remains = result.remains;
    entry.seconds = result.seconds;
    entry.hints = result.hints;
    entry.score = recordScore(result.seconds, result.hints, result.remains);
    return entry;
}

} // namespace

int runEndOfGame(const GameResult& result, EndOfGameContext& context) {
    RecordEntry entry = unnamedEntry(result);
    if (!context.table.qualifies(entry))
        return GameCommand::start;

    // Not on the stack: should the game window go while the dialog runs, it takes the dialog.
    QPointer<GameResultDialog> dialog = new GameResultDialog(context.owner);
    dialog->remainsText = QString::number(result.remains);
    dialog->timeText = QString::fromStdString(recordTimeText(result.seconds));
    dialog->hintsText = QString::number(result.hints);
    dialog->playerName = qStringFromCp1251(context.lastPlayerName);
    const int answer = dialog->exec();
    if (!dialog)
        return GameCommand::start;
    const QString name = dialog->playerName;
    delete dialog;

    const bool confirmed =
        answer == GameResultDialog::kNewGame || answer == GameResultDialog::kExit;
    // A name of blanks is a name: it is stored as typed.
    if (confirmed && !name.isEmpty()) {
        entry.playerName = cp1251FromQString(name);
        context.lastPlayerName = entry.playerName;
        entry.dateText = recordDateText(context.calendar);
        if (context.boxes != nullptr)
            context.boxes->setOwner(context.owner);
        if (context.table.insert(entry) && context.refreshRecords)
            context.refreshRecords();
    }
    return answer == GameResultDialog::kExit ? GameCommand::exit : GameCommand::start;
}

} // namespace tessalo
