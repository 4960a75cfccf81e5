#pragma once

namespace tessalo {

// Dialog layouts are drawn in dialog units: a quarter of the dialog font's average character
// width across, an eighth of its height down. The templates were laid out for a font of about
// 6 × 13 pixels, so these base units keep every control where it was meant to be, whatever font
// the desktop has.
struct DialogBaseUnits {
    int x = 6;
    int y = 13;
};

inline constexpr DialogBaseUnits kDialogFontBaseUnits{6, 13};

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const DialogRect&) const = default;
};

// a × b / c rounded to the nearest integer, halves away from zero, as the system's own
// conversion does.
constexpr int mulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

constexpr int dialogUnitsToPixelsX(int units, DialogBaseUnits base = kDialogFontBaseUnits) {
    return mulDivRounded(units, base.x, 4);
}

constexpr int dialogUnitsToPixelsY(int units, DialogBaseUnits base = kDialogFontBaseUnits) {
    return mulDivRounded(units, base.y, 8);
}

// The corners are converted, not the size, so controls that touch in units touch in pixels.
constexpr DialogRect dialogRectToPixels(DialogRect units,
                                        DialogBaseUnits base = kDialogFontBaseUnits) {
    const int left = dialogUnitsToPixelsX(units.x, base);
    const int top = dialogUnitsToPixelsY(units.y, base);
    const int right = dialogUnitsToPixelsX(units.x + units.width, base);
    const int bottom = dialogUnitsToPixelsY(units.y + units.height, base);
    return {left, top, right - left, bottom - top};
}

} // namespace tessalo
