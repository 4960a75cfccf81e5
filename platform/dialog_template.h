#pragma once

#include "platform/dialog_units.h"

#include <span>

namespace tessalo {

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    StaticLeft,
    StaticCentre,
    StaticRight,
    StaticIcon, // `text` names the icon resource
    Edit,       // single line
    ProgressBar,
    CheckBox, // toggles its own mark
    DropDownList,
    ListView, // report view with column headers
    TabControl,
    GroupBox,
};

// Style bits of a control beyond its kind.
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kTabStop = 1u << 0,
    kBorder = 1u << 1,
    kDisabled = 1u << 2,
    kNoSortHeader = 1u << 3, // list view: the column headers cannot be clicked
};

// Id of the controls the program never addresses; several may share it.
inline constexpr int kNoControlId = -1;

struct DialogControl {
    int id = kNoControlId;
    ControlKind kind = ControlKind::StaticLeft;
    const char* text = ""; // UTF-8
    DialogRect rect;       // dialog units
    unsigned style = kNoStyle;
};

// One dialog or child page. Controls are created, stacked and reached by Tab in table order.
struct DialogTemplate {
    const char* caption = ""; // UTF-8; a child page has none
    int width = 0;            // dialog units
    int height = 0;
    std::span<const DialogControl> controls;
    DialogBaseUnits baseUnits = kDialogFontBaseUnits;
};

} // namespace tessalo
