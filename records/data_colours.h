#pragma once

#include <QColor>

namespace tessalo {

// Player data is drawn in these colours wherever it is entered or listed.
inline QColor dataTextColour() {
    return {0, 255, 192};
}
inline QColor dataBackgroundColour() {
    return {0, 0, 0};
}

} // namespace tessalo
