#pragma once
// Twips and pixels. 1440 twips make an inch, so at `dpi` dots per inch one twip is
// dpi / 1440 pixels (15 twips per pixel at 96 dpi). Conversions round to the nearest
// whole unit, halves away from zero, as MulDiv does.

namespace qv::win32 {

constexpr int roundedDivide(long long numerator, long long denominator) {
    long long half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator
                                           : (numerator - half) / denominator);
}

constexpr int twipsToPixels(int twips, int dpi) {
    return roundedDivide(static_cast<long long>(twips) * dpi, 1440);
}

constexpr int pixelsToTwips(int pixels, int dpi) {
    return roundedDivide(static_cast<long long>(pixels) * 1440, dpi);
}

}  // namespace qv::win32
