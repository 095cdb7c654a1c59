// The small conversions between what a file says and what the host keeps:
// tab colours, protection passwords, escaped text and relationship targets.

#include <gtest/gtest.h>

#include "adapters/windows/xlsx/package_parts.h"
#include "adapters/windows/xlsx/sheet_password.h"
#include "adapters/windows/xlsx/tab_color.h"
#include "adapters/windows/xlsx/xml_text.h"

namespace brackwell::win::xlsx {
namespace {

TEST(TabColors, IndexedColoursMapToColorIndexAndBack) {
    EXPECT_EQ(ColorIndexFromIndexed(8), 1);    // black, first palette entry
    EXPECT_EQ(ColorIndexFromIndexed(10), 3);   // red
    EXPECT_EQ(ColorIndexFromIndexed(63), 56);
    EXPECT_EQ(ColorIndexFromIndexed(2), 3);    // the legacy copies of the first eight
    EXPECT_EQ(ColorIndexFromIndexed(64), kNoTabColor);  // system colours
    EXPECT_EQ(ColorIndexFromIndexed(-1), kNoTabColor);
    for (std::int32_t index = 1; index <= 56; ++index) {
        EXPECT_EQ(ColorIndexFromIndexed(IndexedFromColorIndex(index)), index);
    }
}

TEST(TabColors, RgbBecomesTheNearestPaletteEntry) {
    EXPECT_EQ(NearestColorIndex(0xFF0000), 3);
    EXPECT_EQ(NearestColorIndex(0xFE0101), 3);
    // Teal is in the palette twice (14 and 31): the lower index wins.
    EXPECT_EQ(NearestColorIndex(0x008080), 14);
    EXPECT_EQ(NearestColorIndex(0x4F81BD), 47);  // Office's accent 1 is no palette colour
    EXPECT_EQ(ParseHexColor("FF00FF00"), 0x00FF00u);
    EXPECT_EQ(ParseHexColor("00ff00"), 0x00FF00u);
    EXPECT_FALSE(ParseHexColor("grün"));
    EXPECT_FALSE(ParseHexColor("FFF"));
}

TEST(TabColors, AttributesChooseTheColourSource) {
    const ThemeColors theme = DefaultThemeColors();
    TabColorAttributes automatic;
    automatic.automatic = true;
    automatic.indexed = 10;
    EXPECT_EQ(ColorIndexFromTabColor(automatic, theme), kNoTabColor);

    TabColorAttributes rgb;
    rgb.rgb = "FFFF0000";
    EXPECT_EQ(ColorIndexFromTabColor(rgb, theme), 3);

    TabColorAttributes text1;
    text1.theme = 1;  // dark 1: black
    EXPECT_EQ(ColorIndexFromTabColor(text1, theme), 1);
    text1.tint = 0.5;  // black lightened half way: grey 808080
    EXPECT_EQ(ColorIndexFromTabColor(text1, theme), 16);

    TabColorAttributes background1;
    background1.theme = 0;  // light 1: white
    EXPECT_EQ(ColorIndexFromTabColor(background1, theme), 2);
    background1.theme = 12;
    EXPECT_EQ(ColorIndexFromTabColor(background1, theme), kNoTabColor);
}

TEST(TabColors, TintLightensAndDarkensInHls) {
    EXPECT_EQ(ApplyTint(0xFF0000, -0.5), 0x800000u);
    EXPECT_EQ(ApplyTint(0xFF0000, 0.5), 0xFF8080u);
    EXPECT_EQ(ApplyTint(0x123456, 0.0), 0x123456u);
}

TEST(SheetPasswords, LegacyHashMatchesExcelsVerifier) {
    EXPECT_EQ(LegacyPasswordHash("test"), "CBEB");
    EXPECT_EQ(LegacyPasswordHash("password"), "83AF");
    EXPECT_EQ(LegacyPasswordHash(""), "CE4B");
    // Characters beyond Latin-1 count with a byte of their own.
    EXPECT_NE(LegacyPasswordHash("売上"), LegacyPasswordHash("??"));
}

TEST(SheetPasswords, StandInCarriesTheHashAndIsNoPlainPassword) {
    PasswordHash hash;
    hash.algorithmName = "SHA-512";
    hash.hashValue = "aGFzaA==";
    hash.saltValue = "c2FsdA==";
    hash.spinCount = "100000";
    const std::string standIn = PasswordStandingFor(hash);
    ASSERT_TRUE(HashBehind(standIn));
    EXPECT_EQ(HashBehind(standIn)->hashValue, "aGFzaA==");
    EXPECT_EQ(HashBehind(standIn)->spinCount, "100000");
    EXPECT_TRUE(HashBehind(standIn)->legacy.empty());
    EXPECT_FALSE(HashBehind("geheim"));
    EXPECT_FALSE(HashBehind(""));
}

TEST(XmlText, EscapesMarkupAndKeepsUnicode) {
    EXPECT_EQ(XmlEscaped("a<b & \"c\" >"), "a&lt;b &amp; &quot;c&quot; &gt;");
    EXPECT_EQ(XmlEscaped("Übersicht 売上"), "Übersicht 売上");
    EXPECT_EQ(XmlEscaped("a\tb"), "a&#9;b");
}

TEST(XmlText, XstringEscapesRoundTrip) {
    EXPECT_EQ(XstringEncoded("a\x01" "b"), "a_x0001_b");
    EXPECT_EQ(XstringDecoded("a_x0001_b"), "a\x01" "b");
    // A name that looks like an escape survives as itself.
    EXPECT_EQ(XstringDecoded(XstringEncoded("_x0041_")), "_x0041_");
    EXPECT_EQ(XstringDecoded("_x00DC_bersicht"), "Übersicht");
    EXPECT_EQ(XstringDecoded("売上"), "売上");
}

TEST(PackageParts, TargetsResolveAgainstTheSourceFolder) {
    EXPECT_EQ(ResolveTarget("xl/workbook.xml", "worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(ResolveTarget("xl/workbook.xml", "/xl/worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(ResolveTarget("xl/chartsheets/sheet1.xml", "../drawings/drawing1.xml"), "xl/drawings/drawing1.xml");
    EXPECT_EQ(ResolveTarget("", "xl/workbook.xml"), "xl/workbook.xml");
    EXPECT_EQ(ResolveTarget("xl/workbook.xml", "./sheets/Bl%C3%A4tter%201.xml"), "xl/sheets/Blätter 1.xml");
    EXPECT_EQ(RelationshipsPartOf("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
    EXPECT_EQ(RelationshipsPartOf(""), "_rels/.rels");
    EXPECT_TRUE(IsRelationshipType("http://purl.oclc.org/ooxml/officeDocument/relationships/worksheet", "worksheet"));
    EXPECT_FALSE(IsRelationshipType("http://example.com/worksheet", "worksheet"));
}

}  // namespace
}  // namespace brackwell::win::xlsx
