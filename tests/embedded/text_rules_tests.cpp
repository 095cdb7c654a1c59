// The text rules under the host: UTF-16 lengths, name rules and sheet
// references in formulas. (Case folding and cell addresses are proven through
// the ports: look-ups by name, renames, Goto.)

#include <gtest/gtest.h>

#include <algorithm>

#include "excel_standin/embedded/cell_reference.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/sheet_references.h"
#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {
namespace {

TEST(UnicodeText, CountsAndCutsInUtf16UnitsWithoutSplittingCharacters) {
    EXPECT_EQ(Utf16Length("Übersicht"), 9u);
    EXPECT_EQ(Utf16Length("売上"), 2u);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x93\x8A"), 2u);  // 📊 is a surrogate pair
    EXPECT_EQ(Utf16Prefix("ab\xF0\x9F\x93\x8A", 3), "ab");
    EXPECT_EQ(Utf16Prefix("Übersicht", 2), "Üb");
    EXPECT_FALSE(IsValidUtf8("Tab\xC3"));
}

TEST(NamingRules, SheetNamesFollowExcelsRules) {
    const std::vector<std::string> good = {"Übersicht", "売上", "Mein Blatt (2)", "O'Neil", std::string(31, 'x')};
    for (const auto& name : good) EXPECT_TRUE(IsValidSheetName(name)) << name;
    const std::vector<std::string> bad = {"", "a:b", "a\\b", "a/b", "a?b", "a*b",
                                          "a[b", "a]b", "'Blatt", "Blatt'", "Tab\tA", std::string(32, 'x')};
    for (const auto& name : bad) EXPECT_FALSE(IsValidSheetName(name)) << name;
}

TEST(NamingRules, DefinedNamesMustNotLookLikeCellsInTheHostsGrid) {
    const GridLimits excel2007 = GridForVersion(12);
    for (const char* good : {"Daten", "_Summe.2024", "\\Pfad", "Überblick"})
        EXPECT_TRUE(IsValidDefinedName(good, excel2007)) << good;
    for (const char* bad :
         {"2024", "1Daten", "Umsatz Nord", "A1", "xfd1048576", "R1C1", "r", "c", "Z1S1", "Daten?", ""})
        EXPECT_FALSE(IsValidDefinedName(bad, excel2007)) << bad;
    // XFD1 is a cell only since the grid grew with Excel 2007.
    const GridLimits excel2003 = GridForVersion(11);
    EXPECT_TRUE(IsValidDefinedName("XFD1", excel2003));
    EXPECT_TRUE(IsValidDefinedName("IV65537", excel2003));
    EXPECT_FALSE(IsValidDefinedName("IV65536", excel2003));
}

TEST(NamingRules, CopiesCountOnFromTheStemAndStayWithin31Characters) {
    const auto takenOf = [](std::vector<std::string> taken) {
        return [taken](std::string_view n) { return std::find(taken.begin(), taken.end(), n) != taken.end(); };
    };
    EXPECT_EQ(CopyName("Jahr (1999)", takenOf({})), "Jahr (2000)");
    EXPECT_EQ(CopyName(std::string(31, 'L'), takenOf({})), std::string(27, 'L') + " (2)");
    int counter = 3;
    EXPECT_EQ(NextNumberedName("Tabelle", counter, takenOf({"Tabelle4"})), "Tabelle5");
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(NumberAfterBase("mappe12", "Mappe"), 12);
    EXPECT_EQ(NumberAfterBase("Mappe1.xlsx", "Mappe"), 0);
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
    const std::vector<std::pair<const char*, const char*>> prefixes = {
        {"Tabelle1", "Tabelle1!"}, {"Übersicht", "Übersicht!"}, {"売上", "売上!"}, {"Mein Blatt", "'Mein Blatt'!"},
        {"Tabelle1 (2)", "'Tabelle1 (2)'!"}, {"2024", "'2024'!"}, {"A1", "'A1'!"}, {"O'Neil", "'O''Neil'!"}};
    for (const auto& [sheet, prefix] : prefixes) EXPECT_EQ(SheetPrefix(sheet), prefix);
    EXPECT_EQ(SheetPrefix("Umsatz", "Mappe2.xlsx"), "[Mappe2.xlsx]Umsatz!");
    EXPECT_EQ(SheetPrefix("Umsatz", "Alte Mappe.xls"), "'[Alte Mappe.xls]Umsatz'!");
}

}  // namespace
}  // namespace brackwell::embedded
