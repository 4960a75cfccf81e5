#include "skin/indicator_window.h"

#include "skin/digit_cell.h"
#include "skin/pictures_module.h"

#include <algorithm>
#include <array>

namespace tessalo {

IndicatorWindow::IndicatorWindow(const DigitSet& digits, QWidget* gameWindow)
    : DigitDisplay("Indicator", gameWindow), digits_(digits) {}

bool IndicatorWindow::loadSkin(const PeModule& module) {
    const auto record = module.findResource(kPlaceType, kIndicatorPlaceName);
    const auto place = record ? parseIndicatorPlace(*record) : std::nullopt;
    if (!place) {
        clearSkin();
        return false;
    }
    // A damaged face still leaves the count to be read.
    return loadFace(module, kIndicatorName, QPoint(place->x, place->y), place->digitX,
                    place->digitY);
}

void IndicatorWindow::createOwned(QPoint position) {
    remaining_ = kFullCount;
    showAt(position, indicatorShape(scale()));
}

void IndicatorWindow::resetCount() {
    remaining_ = kFullCount;
    update();
}

int IndicatorWindow::pairRemoved() {
    remaining_ -= 2;
    update();
    return remaining_;
}

void IndicatorWindow::paintEvent(QPaintEvent*) {
    // Three digits hold 0..999; a count outside (pairs removed past an empty board) is held at
    // the nearest end rather than drawn with a digit that does not exist.
    const int shown = std::clamp(remaining_, 0, 999);
    const std::array<int, 3> digits = {shown / 100, shown % 100 / 10, shown % 10};
    paintDigits(digits_, digits);
}

} // namespace tessalo
