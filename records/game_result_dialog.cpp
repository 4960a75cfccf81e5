#include "records/game_result_dialog.h"

#include "platform/cp1251_validator.h"
#include "platform/dialog_builder.h"
#include "records/data_colours.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include <array>

namespace tessalo {

namespace {

using Kind = ControlKind;
using Dialog = GameResultDialog;

constexpr std::array<DialogControl, 10> kControls = {{
    {Dialog::kNameEdit, Kind::Edit, "", {7, 58, 111, 13}, kBorder | kTabStop},
    {Dialog::kNewGameButton, Kind::DefaultPushButton, "New Game", {7, 84, 46, 14}, kTabStop},
    {kNoControlId, Kind::StaticLeft, "Remains", {7, 6, 28, 8}},
    {kNoControlId, Kind::StaticLeft, "Time", {7, 20, 16, 8}},
    {kNoControlId, Kind::StaticLeft, "Hints", {7, 36, 17, 8}},
    {Dialog::kRemainsText, Kind::StaticLeft, "0", {56, 6, 18, 8}},
    {Dialog::kTimeText, Kind::StaticLeft, "0", {56, 20, 20, 8}},
    {Dialog::kHintsText, Kind::StaticLeft, "0", {56, 36, 19, 8}},
    {kNoControlId, Kind::StaticIcon, ":/icon_128.png", {100, 4, 21, 20}},
    {Dialog::kExitButton, Kind::PushButton, "Exit", {68, 84, 50, 14}, kTabStop},
}};

constexpr DialogTemplate kTemplate{"Tessalo", 125, 105, kControls};

} // namespace

GameResultDialog::GameResultDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    buildDialog(*this, kTemplate, [this](int id) { onCommand(id); });
    auto* edit = dialogControl<QLineEdit>(*this, kNameEdit);
    edit->setMaxLength(kNameLength);
    edit->setValidator(new Cp1251Validator(edit));
    QPalette colours = edit->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Text, dataTextColour());
        colours.setColor(group, QPalette::Base, dataBackgroundColour());
    }
    edit->setPalette(colours);
}

void GameResultDialog::showEvent(QShowEvent* event) {
    if (!membersShown_) {
        putMembersIntoControls();
        membersShown_ = true;
    }
    QDialog::showEvent(event);
}

void GameResultDialog::onCommand(int id) {
    if (id == kNewGameButton || id == kExitButton) {
        readMembersFromControls();
        done(id == kNewGameButton ? kNewGame : kExit);
    }
}

void GameResultDialog::reject() {
    done(kCancel);
}

void GameResultDialog::putMembersIntoControls() {
    dialogControl<QLabel>(*this, kRemainsText)->setText(remainsText);
    dialogControl<QLabel>(*this, kTimeText)->setText(timeText);
    dialogControl<QLabel>(*this, kHintsText)->setText(hintsText);
    auto* name = dialogControl<QLineEdit>(*this, kNameEdit);
    name->setText(playerName);
    // The offered name is selected, as a dialog's first edit is: the next player's typing
    // replaces it and Enter keeps it.
    name->selectAll();
}

void GameResultDialog::readMembersFromControls() {
    remainsText = dialogControl<QLabel>(*this, kRemainsText)->text();
    timeText = dialogControl<QLabel>(*this, kTimeText)->text();
    hintsText = dialogControl<QLabel>(*this, kHintsText)->text();
    playerName = dialogControl<QLineEdit>(*this, kNameEdit)->text();
}

} // namespace tessalo
