#include "game/game_launch.h"

#include "game/game_refusals.h"
#include "game/layout_validation.h"
#include "game/loading_dialog.h"
#include "platform/message_box.h"

namespace tessalo {

bool launchGame(QWidget* mainDialog, GameWindow& window, const GameSetup& setup) {
    // A layout that would break the board is refused before anything is loaded for it.
    if (!layoutDefect(setup.layout).empty()) {
        showWarning(mainDialog, layoutDamagedMessage(setup.layout.nameText()));
        return false;
    }
    LoadingDialog loading(setup.picturesModule, window, mainDialog, pictureScaleOf(setup));
    if (loading.exec() != QDialog::Accepted)
        return false;
    if (mainDialog != nullptr)
        mainDialog->hide();
    if (window.open(setup))
        return true;
    if (mainDialog != nullptr)
        mainDialog->show();
    return false;
}

} // namespace tessalo
