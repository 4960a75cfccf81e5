#pragma once

#include <cmath>
#include <cstdint>
#include <numeric>

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

    // Both scales applied one after the other, reduced so large screens cannot overflow it.
    PictureScale times(PictureScale other) const {
        const std::int64_t top = std::int64_t(numerator) * other.numerator;
        const std::int64_t bottom = std::int64_t(denominator) * other.denominator;
        const std::int64_t common = std::gcd(top, bottom);
        return {int(top / common), int(bottom / common)};
    }

    // The fraction nearest to `factor` whose denominator is at most 960: a device pixel ratio
    // comes as a floating-point number, but is a quotient of small numbers (dots per inch / 96,
    // 1.25, a QT_SCALE_FACTOR such as 1.3), which this recovers exactly. A factor that is not a
    // positive number gives 1.
    static PictureScale nearestTo(double factor) {
        constexpr std::int64_t kLargestDenominator = 960;
        if (!(factor > 0.0) || factor > 1000.0)
            return {};
        // Convergents of the continued fraction, the best approximations there are.
        std::int64_t previousTop = 0, top = 1, previousBottom = 1, bottom = 0;
        double rest = factor;
        for (int step = 0; step < 32; ++step) {
            const double whole = std::floor(rest);
            const auto digit = std::int64_t(whole);
            const std::int64_t nextBottom = digit * bottom + previousBottom;
            if (nextBottom > kLargestDenominator)
                break;
            const std::int64_t nextTop = digit * top + previousTop;
            previousTop = top;
            top = nextTop;
            previousBottom = bottom;
            bottom = nextBottom;
            if (rest - whole < 1e-9)
                break;
            rest = 1.0 / (rest - whole);
        }
        if (top <= 0 || bottom <= 0)
            return {};
        return {int(top), int(bottom)};
    }
};

} // namespace tessalo
