#pragma once

namespace tessalo {

// A scale kept as a fraction, so every length scales to the same pixel on every run and the
// pictures resampled at load have exactly the size they are drawn at.
struct PictureScale {
    int numerator = 1;
    int denominator = 1;

    // Rounded to the nearest pixel, halves upward.
    int of(int length) const {
        const long long twice = 2LL * length * numerator + denominator;
        const long long divisor = 2LL * denominator;
        const long long quotient = twice / divisor;
        return int(twice % divisor < 0 ? quotient - 1 : quotient);
    }
    double factor() const { return double(numerator) / double(denominator); }
    bool isOne() const { return numerator == denominator; }
    bool isWhole() const { return numerator % denominator == 0; }
};

} // namespace tessalo
