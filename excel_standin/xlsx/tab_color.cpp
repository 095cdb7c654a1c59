#include "excel_standin/xlsx/tab_color.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tree/palette.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::int32_t kPaletteSize = 56;
constexpr int kFirstPaletteIndexed = 8;

int Red(Rgb rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }
int Green(Rgb rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
int Blue(Rgb rgb) { return static_cast<int>(rgb & 0xFF); }

// The palette holds 0x00BBGGRR values.
Rgb PaletteRgb(std::int32_t colorIndex) {
    const Color bgr = ColorIndexToRgb(colorIndex);
    return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

struct Hls {
    double h, l, s;
};

Hls ToHls(Rgb rgb) {
    const double r = Red(rgb) / 255.0, g = Green(rgb) / 255.0, b = Blue(rgb) / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    Hls out{0.0, (high + low) / 2.0, 0.0};
    const double range = high - low;
    if (range <= 0.0) return out;
    out.s = out.l <= 0.5 ? range / (high + low) : range / (2.0 - high - low);
    if (high == r) {
        out.h = (g - b) / range;
    } else if (high == g) {
        out.h = 2.0 + (b - r) / range;
    } else {
        out.h = 4.0 + (r - g) / range;
    }
    out.h /= 6.0;
    if (out.h < 0.0) out.h += 1.0;
    return out;
}

double HueToChannel(double p, double q, double t) {
    if (t < 0.0) t += 1.0;
    if (t > 1.0) t -= 1.0;
    if (t < 1.0 / 6.0) return p + (q - p) * 6.0 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    return p;
}

Rgb FromHls(const Hls& c) {
    double r = c.l, g = c.l, b = c.l;
    if (c.s > 0.0) {
        const double q = c.l < 0.5 ? c.l * (1.0 + c.s) : c.l + c.s - c.l * c.s;
        const double p = 2.0 * c.l - q;
        r = HueToChannel(p, q, c.h + 1.0 / 3.0);
        g = HueToChannel(p, q, c.h);
        b = HueToChannel(p, q, c.h - 1.0 / 3.0);
    }
    const auto channel = [](double v) { return static_cast<Rgb>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

}  // namespace

ThemeColors DefaultThemeColors() {
    return {0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, 0xC0504D,
            0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646, 0x0000FF, 0x800080};
}

std::int32_t ColorIndexFromIndexed(int indexed) {
    if (indexed >= 0 && indexed < kFirstPaletteIndexed) return indexed + 1;
    if (indexed >= kFirstPaletteIndexed && indexed < kFirstPaletteIndexed + kPaletteSize) return indexed - 7;
    return kNoTabColor;  // 64 and 65 are the system's window text and background
}

int IndexedFromColorIndex(std::int32_t colorIndex) { return static_cast<int>(colorIndex) + 7; }

std::int32_t NearestColorIndex(Rgb rgb) {
    std::int32_t best = 1;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::int32_t index = 1; index <= kPaletteSize; ++index) {
        const Rgb entry = PaletteRgb(index);
        const long dr = Red(entry) - Red(rgb), dg = Green(entry) - Green(rgb), db = Blue(entry) - Blue(rgb);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<Rgb> ParseHexColor(std::string_view text) {
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    Rgb value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<Rgb>(digit);
    }
    return value & 0xFFFFFF;
}

Rgb ApplyTint(Rgb rgb, double tint) {
    if (tint == 0.0) return rgb;
    Hls hls = ToHls(rgb);
    hls.l = tint < 0.0 ? hls.l * (1.0 + tint) : hls.l * (1.0 - tint) + tint;
    return FromHls(hls);
}

std::int32_t ColorIndexFromTabColor(const TabColorAttributes& color, const ThemeColors& theme) {
    if (color.automatic) return kNoTabColor;
    if (color.rgb) {
        if (const auto rgb = ParseHexColor(*color.rgb)) return NearestColorIndex(ApplyTint(*rgb, color.tint));
        return kNoTabColor;
    }
    // An index keeps its exact palette entry; a tint on it is not kept.
    if (color.indexed) return ColorIndexFromIndexed(*color.indexed);
    if (color.theme && *color.theme >= 0 && *color.theme < static_cast<int>(theme.size())) {
        return NearestColorIndex(ApplyTint(theme[static_cast<std::size_t>(*color.theme)], color.tint));
    }
    return kNoTabColor;
}

}  // namespace brackwell::win::xlsx
