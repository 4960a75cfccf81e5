#pragma once

#include <functional>

class QComboBox;

namespace tessalo {

// Calls `onClosed` each time the open list of `combo` closes, whether an item was picked or the
// list was dismissed, after the pick has reached the combo box. A selection changed while the list
// is closed (arrow keys, the wheel) does not call it.
void whenDropDownCloses(QComboBox& combo, std::function<void()> onClosed);

} // namespace tessalo
