#pragma once

#include <QDialog>
#include <QString>

namespace tessalo {

// Shows a finished game's result and asks for the player's name. The members go into the
// controls when the dialog opens and are read back only when it is confirmed.
class GameResultDialog final : public QDialog {
  public:
    enum Control {
        kNameEdit = 1034,
        kNewGameButton = 1,
        kExitButton = 1038,
        kRemainsText = 1031,
        kTimeText = 1032,
        kHintsText = 1033,
    };
    enum Result { kNewGame = 1, kCancel = 2, kExit = 1038 };
    static constexpr int kNameLength = 28;

    explicit GameResultDialog(QWidget* owner);

    QString remainsText;
    QString timeText;
    QString playerName;
    QString hintsText;

    void onCommand(int id);
    // Escape and the close box.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void putMembersIntoControls();
    void readMembersFromControls();

    bool membersShown_ = false;
};

} // namespace tessalo
