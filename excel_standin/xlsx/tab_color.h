#pragma once
// Tab colours between a file's <tabColor> and the host's ColorIndex (1..56
// into the default palette, -4142 for none).
//
// SpreadsheetML's indexed colours 8..63 are the 56 palette entries, so
// ColorIndex n is indexed n + 7; indexed 0..7 repeat the first eight entries.
// A colour given as RGB or as a theme colour becomes the nearest palette
// entry, as Excel's ColorIndex reports a colour that is not in the palette.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brackwell::win::xlsx {

inline constexpr std::int32_t kNoTabColor = -4142;

// 0xRRGGBB.
using Rgb = std::uint32_t;

// The twelve theme colours in the order a theme="n" attribute counts them:
// light 1, dark 1, light 2, dark 2, accent 1..6, hyperlink, followed hyperlink.
using ThemeColors = std::array<Rgb, 12>;

// The colours of Office's default theme, for a file without a theme part.
ThemeColors DefaultThemeColors();

struct TabColorAttributes {
    bool automatic = false;
    std::optional<std::string> rgb;  // "FFRRGGBB"
    std::optional<int> indexed;
    std::optional<int> theme;
    double tint = 0.0;
};

std::int32_t ColorIndexFromTabColor(const TabColorAttributes& color, const ThemeColors& theme);

std::int32_t ColorIndexFromIndexed(int indexed);
int IndexedFromColorIndex(std::int32_t colorIndex);
// The palette entry closest to `rgb` (Euclidean in RGB; the lowest index
// among equals, as the palette holds some colours twice).
std::int32_t NearestColorIndex(Rgb rgb);
// "FFRRGGBB" or "RRGGBB"; the alpha byte is ignored.
std::optional<Rgb> ParseHexColor(std::string_view text);
// Lightens (tint > 0) or darkens (tint < 0) in HLS, as Office applies tints.
Rgb ApplyTint(Rgb rgb, double tint);

}  // namespace brackwell::win::xlsx
