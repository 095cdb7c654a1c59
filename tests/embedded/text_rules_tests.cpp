// The text rules under the host: case folding, name rules, cell addresses and
// sheet references in formulas.

#include <gtest/gtest.h>

#include <algorithm>

#include "adapters/embedded/cell_reference.h"
#include "adapters/embedded/naming_rules.h"
#include "adapters/embedded/sheet_references.h"
#include "adapters/embedded/unicode_text.h"

namespace brackwell::embedded {
namespace {

TEST(UnicodeText, FoldsGermanAndOtherEuropeanLettersButComparesTheRestExactly) {
    EXPECT_TRUE(EqualsIgnoreCase("Übersicht", "üBERSICHT"));
    EXPECT_TRUE(EqualsIgnoreCase("ÄÖÜ", "äöü"));
    EXPECT_TRUE(EqualsIgnoreCase("Łódź", "ŁÓDŹ"));      // Latin Extended-A
    EXPECT_TRUE(EqualsIgnoreCase("Москва", "МОСКВА"));  // Cyrillic
    EXPECT_TRUE(EqualsIgnoreCase("Ω", "ω"));
    EXPECT_TRUE(EqualsIgnoreCase("売上", "売上"));
    EXPECT_FALSE(EqualsIgnoreCase("売上", "売り上げ"));
    EXPECT_FALSE(EqualsIgnoreCase("Strasse", "Straße"));  // ß is no SS
    EXPECT_FALSE(EqualsIgnoreCase("×", "÷"));
    EXPECT_FALSE(EqualsIgnoreCase("Tabelle1", "Tabelle1 "));
}

TEST(UnicodeText, CountsAndCutsInUtf16UnitsWithoutSplittingCharacters) {
    EXPECT_EQ(Utf16Length("Übersicht"), 9u);
    EXPECT_EQ(Utf16Length("売上"), 2u);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x93\x8A"), 2u);  // 📊 is a surrogate pair
    EXPECT_EQ(Utf16Prefix("ab\xF0\x9F\x93\x8A", 3), "ab");
    EXPECT_EQ(Utf16Prefix("Übersicht", 2), "Üb");
    EXPECT_FALSE(IsValidUtf8("Tab\xC3"));
    EXPECT_TRUE(IsValidUtf8("Tabelle ä"));
}

TEST(NamingRules, SheetNamesFollowExcelsRules) {
    EXPECT_TRUE(IsValidSheetName("Übersicht"));
    EXPECT_TRUE(IsValidSheetName("売上"));
    EXPECT_TRUE(IsValidSheetName("Mein Blatt (2)"));
    EXPECT_TRUE(IsValidSheetName("O'Neil"));
    EXPECT_TRUE(IsValidSheetName(std::string(31, 'x')));
    EXPECT_FALSE(IsValidSheetName(std::string(32, 'x')));
    EXPECT_FALSE(IsValidSheetName(""));
    for (const char* bad : {"a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'Blatt", "Blatt'", "Tab\tA"}) {
        EXPECT_FALSE(IsValidSheetName(bad)) << bad;
    }
}

TEST(NamingRules, DefinedNamesMustNotLookLikeCellsInTheHostsGrid) {
    const GridLimits excel2007 = GridForVersion(12);
    const GridLimits excel2003 = GridForVersion(11);
    EXPECT_TRUE(IsValidDefinedName("Daten", excel2007));
    EXPECT_TRUE(IsValidDefinedName("_Summe.2024", excel2007));
    EXPECT_TRUE(IsValidDefinedName("\\Pfad", excel2007));
    EXPECT_TRUE(IsValidDefinedName("Überblick", excel2007));
    EXPECT_FALSE(IsValidDefinedName("2024", excel2007));
    EXPECT_FALSE(IsValidDefinedName("Umsatz Nord", excel2007));
    EXPECT_FALSE(IsValidDefinedName("A1", excel2007));
    EXPECT_FALSE(IsValidDefinedName("xfd1048576", excel2007));
    EXPECT_FALSE(IsValidDefinedName("R1C1", excel2007));
    EXPECT_FALSE(IsValidDefinedName("r", excel2007));
    EXPECT_FALSE(IsValidDefinedName("Z1S1", excel2007));
    // XFD1 is a cell only since the grid grew with Excel 2007.
    EXPECT_TRUE(IsValidDefinedName("XFD1", excel2003));
    EXPECT_TRUE(IsValidDefinedName("IV65537", excel2003));
    EXPECT_FALSE(IsValidDefinedName("IV65536", excel2003));
}

TEST(NamingRules, CopiesCountOnFromTheStemAndStayWithin31Characters) {
    const auto takenOf = [](std::vector<std::string> taken) {
        return [taken](std::string_view n) { return std::find(taken.begin(), taken.end(), n) != taken.end(); };
    };
    EXPECT_EQ(CopyName("Tabelle1", takenOf({"Tabelle1"})), "Tabelle1 (2)");
    EXPECT_EQ(CopyName("Tabelle1", takenOf({"Tabelle1", "Tabelle1 (2)"})), "Tabelle1 (3)");
    EXPECT_EQ(CopyName("Tabelle1 (2)", takenOf({"Tabelle1", "Tabelle1 (2)"})), "Tabelle1 (3)");
    EXPECT_EQ(CopyName("Jahr (1999)", takenOf({})), "Jahr (2000)");
    const std::string longName(31, 'L');
    EXPECT_EQ(CopyName(longName, takenOf({})), std::string(27, 'L') + " (2)");
    int counter = 3;
    EXPECT_EQ(NextNumberedName("Tabelle", counter, takenOf({"Tabelle4"})), "Tabelle5");
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(NumberAfterBase("mappe12", "Mappe"), 12);
    EXPECT_EQ(NumberAfterBase("Mappe1.xlsx", "Mappe"), 0);
}

TEST(CellReference, NormalizesA1AndR1C1AreasToAbsoluteA1) {
    const GridLimits grid = GridForVersion(12);
    EXPECT_EQ(NormalizeAreas("a1", grid), "$A$1");
    EXPECT_EQ(NormalizeAreas("$A$1:B9", grid), "$A$1:$B$9");
    EXPECT_EQ(NormalizeAreas("R1C1:R9C2", grid), "$A$1:$B$9");
    EXPECT_EQ(NormalizeAreas("A:C", grid), "$A:$C");
    EXPECT_EQ(NormalizeAreas("$3:$5", grid), "$3:$5");
    EXPECT_EQ(NormalizeAreas("A1,C3:D4", grid), "$A$1,$C$3:$D$4");
    EXPECT_EQ(NormalizeAreas("AA10", grid), "$AA$10");
    EXPECT_FALSE(NormalizeAreas("A", grid));
    EXPECT_FALSE(NormalizeAreas("A1:B", grid));
    EXPECT_FALSE(NormalizeAreas("Daten", grid));
    EXPECT_FALSE(NormalizeAreas("XFE1", grid));
    EXPECT_FALSE(NormalizeAreas("A70000", GridForVersion(11)));
}

TEST(SheetReferences, FindsPlainQuotedAndExternalPrefixesButNotErrorsOrStrings) {
    const auto refs = FindSheetReferences(
        "=SUMME(Tabelle1!$A$1,'Mein Blatt'!B2,[Mappe2.xlsx]Umsatz!C3,'[Alt 1.xls]O''Neil'!D4,#REF!,\"X!\")");
    ASSERT_EQ(refs.size(), 4u);
    EXPECT_EQ(refs[0].sheet, "Tabelle1");
    EXPECT_EQ(refs[1].sheet, "Mein Blatt");
    EXPECT_EQ(refs[2].workbook, "Mappe2.xlsx");
    EXPECT_EQ(refs[2].sheet, "Umsatz");
    EXPECT_EQ(refs[3].workbook, "Alt 1.xls");
    EXPECT_EQ(refs[3].sheet, "O'Neil");
}

TEST(SheetReferences, RewritesOnlyTheReferencesAskedFor) {
    const std::string rewritten = RewriteSheetReferences(
        "=Tabelle1!$A$1+Tabelle10!$B$2+'tabelle1'!C3", [](const SheetReference& ref) -> std::optional<std::string> {
            if (!EqualsIgnoreCase(ref.sheet, "Tabelle1")) return std::nullopt;
            return SheetPrefix("Mein Blatt");
        });
    EXPECT_EQ(rewritten, "='Mein Blatt'!$A$1+Tabelle10!$B$2+'Mein Blatt'!C3");
}

TEST(SheetReferences, QuotesNamesThatWouldNotReadAsPlainSheetNames) {
    EXPECT_EQ(SheetPrefix("Tabelle1"), "Tabelle1!");
    EXPECT_EQ(SheetPrefix("Übersicht"), "Übersicht!");
    EXPECT_EQ(SheetPrefix("売上"), "売上!");
    EXPECT_EQ(SheetPrefix("Mein Blatt"), "'Mein Blatt'!");
    EXPECT_EQ(SheetPrefix("Tabelle1 (2)"), "'Tabelle1 (2)'!");
    EXPECT_EQ(SheetPrefix("2024"), "'2024'!");
    EXPECT_EQ(SheetPrefix("A1"), "'A1'!");
    EXPECT_EQ(SheetPrefix("O'Neil"), "'O''Neil'!");
    EXPECT_EQ(SheetPrefix("Umsatz", "Mappe2.xlsx"), "[Mappe2.xlsx]Umsatz!");
    EXPECT_EQ(SheetPrefix("Umsatz", "Alte Mappe.xls"), "'[Alte Mappe.xls]Umsatz'!");
}

TEST(SheetReferences, SplitsReferenceTextsAtTheirPrefix) {
    auto quoted = SplitReference("'Mein Blatt'!Daten");
    ASSERT_TRUE(quoted);
    EXPECT_TRUE(quoted->hasPrefix);
    EXPECT_EQ(quoted->sheet, "Mein Blatt");
    EXPECT_EQ(quoted->rest, "Daten");
    auto bare = SplitReference("Daten");
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->hasPrefix);
    auto external = SplitReference("[Mappe2]Tabelle1!A1");
    ASSERT_TRUE(external);
    EXPECT_EQ(external->workbook, "Mappe2");
    EXPECT_FALSE(SplitReference("Mein Blatt!A1"));  // needs quotes
    EXPECT_FALSE(SplitReference("'Mein Blatt!A1"));
}

}  // namespace
}  // namespace brackwell::embedded
