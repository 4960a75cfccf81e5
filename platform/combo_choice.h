#pragma once

#include <functional>

class QComboBox;

namespace tessalo {

// Calls `onChosen` whenever the item `combo` shows changes, by the list, the wheel, the keys,
// typing or the program, so that what the box shows is always what is in force; and each time
// its open list closes without a change (a dismissed list), after the pick has reached the box.
void whenChoiceMade(QComboBox& combo, std::function<void()> onChosen);

} // namespace tessalo
