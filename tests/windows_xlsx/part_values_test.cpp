// The small conversions between what a file says and what the host keeps,
// where a reader and writer that agree with each other could still both be
// wrong: tab colours and password verifiers.

#include <gtest/gtest.h>

#include "excel_standin/xlsx/sheet_password.h"
#include "excel_standin/xlsx/tab_color.h"

namespace brackwell::win::xlsx {
namespace {

TEST(TabColors, IndexedColoursMapToColorIndexAndBack) {
    EXPECT_EQ(ColorIndexFromIndexed(8), 1);    // black, first palette entry
    EXPECT_EQ(ColorIndexFromIndexed(2), 3);    // the legacy copies of the first eight
    EXPECT_EQ(ColorIndexFromIndexed(64), kNoTabColor);  // system colours
    EXPECT_EQ(ColorIndexFromIndexed(-1), kNoTabColor);
    for (std::int32_t index = 1; index <= 56; ++index) {
        EXPECT_EQ(ColorIndexFromIndexed(IndexedFromColorIndex(index)), index);
    }
}

TEST(TabColors, RgbThemeAndTintBecomeTheNearestPaletteEntry) {
    EXPECT_EQ(NearestColorIndex(0xFE0101), 3);
    EXPECT_EQ(ParseHexColor("00ff00"), 0x00FF00u);
    EXPECT_FALSE(ParseHexColor("grün"));
    EXPECT_FALSE(ParseHexColor("FFF"));
    EXPECT_EQ(ApplyTint(0xFF0000, -0.5), 0x800000u);
    EXPECT_EQ(ApplyTint(0xFF0000, 0.5), 0xFF8080u);

    const ThemeColors theme = DefaultThemeColors();
    TabColorAttributes color;
    color.automatic = true;  // wins over the index beside it
    color.indexed = 10;
    EXPECT_EQ(ColorIndexFromTabColor(color, theme), kNoTabColor);
    color = {};
    color.theme = 1;  // dark 1: black
    EXPECT_EQ(ColorIndexFromTabColor(color, theme), 1);
    color.tint = 0.5;  // black lightened half way: grey 808080
    EXPECT_EQ(ColorIndexFromTabColor(color, theme), 16);
    color = {};
    color.theme = 0;  // light 1: white
    EXPECT_EQ(ColorIndexFromTabColor(color, theme), 2);
    color.theme = 12;
    EXPECT_EQ(ColorIndexFromTabColor(color, theme), kNoTabColor);
}

TEST(SheetPasswords, LegacyHashMatchesExcelsVerifier) {
    EXPECT_EQ(LegacyPasswordHash("test"), "CBEB");
    EXPECT_EQ(LegacyPasswordHash("password"), "83AF");
    EXPECT_EQ(LegacyPasswordHash(""), "CE4B");
    // Characters beyond Latin-1 count with a byte of their own.
    EXPECT_NE(LegacyPasswordHash("売上"), LegacyPasswordHash("??"));
}

}  // namespace
}  // namespace brackwell::win::xlsx
