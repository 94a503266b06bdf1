#pragma once

namespace quorbel {

// Sizes and positions of stored designs and of control events are in twips:
// 1440 to the inch. A screen at the design resolution (96 dots per inch)
// has 15 twips to a pixel.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDotsPerInch = 96;

// Whole pixels for a length in twips at the given resolution, rounded to the
// nearest pixel (halves away from zero).
constexpr int twipsToPixels(int twips, int dotsPerInch = kDesignDotsPerInch)
{
    const long long scaled = static_cast<long long>(twips) * dotsPerInch;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

// Twips for a length in pixels at the given resolution, unrounded.
constexpr double pixelsToTwips(double pixels, int dotsPerInch = kDesignDotsPerInch)
{
    return pixels * kTwipsPerInch / dotsPerInch;
}

} // namespace quorbel
