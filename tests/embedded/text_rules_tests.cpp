// The text rules under the host: name rules and sheet references in
// formulas. (Case folding, cell addresses, the longest names and the copies'
// numbers are proven through the ports: look-ups by name, renames, copies,
// Goto.)

#include <gtest/gtest.h>

#include "excel_standin/embedded/cell_reference.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/sheet_references.h"
#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {
namespace {

TEST(NamingRules, SheetNamesFollowExcelsRulesCountingUtf16Units) {
    const std::vector<std::string> good = {"Übersicht", "売上", "Mein Blatt (2)", "O'Neil", std::string(31, 'x')};
    for (const auto& name : good) EXPECT_TRUE(IsValidSheetName(name)) << name;
    const std::vector<std::string> bad = {"", "a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b",
                                          "'Blatt", "Blatt'", "Tab\tA", std::string(32, 'x'), "Tab\xC3"};
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
    // A reference's areas end at the grid's last column and row, in the
    // notation asked for: Goto's texts are R1C1, RefersTo's A1.
    EXPECT_EQ(NormalizeAreas("iv65536,A1:B2", excel2003, Notation::A1), "$IV$65536,$A$1:$B$2");
    EXPECT_EQ(NormalizeAreas("IW1", excel2003, Notation::A1), std::nullopt);
    EXPECT_EQ(NormalizeAreas("A65537", excel2003, Notation::A1), std::nullopt);
    EXPECT_EQ(NormalizeAreas("r65536c256,R1C1:R2C2", excel2003, Notation::R1C1), "$IV$65536,$A$1:$B$2");
    EXPECT_EQ(NormalizeAreas("R1C257", excel2003, Notation::R1C1), std::nullopt);
    EXPECT_EQ(NormalizeAreas("B2", excel2003, Notation::R1C1), std::nullopt);
}

TEST(SheetReferences, FindsAndRewritesOnlyTheReferencesAskedForQuotingWhereNeeded) {
    const auto refs = FindSheetReferences(
        "=SUMME(Tabelle1!$A$1,'Mein Blatt'!B2,[Mappe2.xlsx]Umsatz!C3,'[Alt 1.xls]O''Neil'!D4,#REF!,\"X!\")");
    ASSERT_EQ(refs.size(), 4u);
    EXPECT_EQ(refs[1].sheet, "Mein Blatt");
    EXPECT_EQ(refs[2].workbook + "|" + refs[2].sheet, "Mappe2.xlsx|Umsatz");
    EXPECT_EQ(refs[3].workbook + "|" + refs[3].sheet, "Alt 1.xls|O'Neil");

    const std::string rewritten = RewriteSheetReferences(
        "=Tabelle1!$A$1+Tabelle10!$B$2+'tabelle1'!C3", [](const SheetReference& ref) -> std::optional<std::string> {
            if (!EqualsIgnoreCase(ref.sheet, "Tabelle1")) return std::nullopt;
            return SheetPrefix("Mein Blatt");
        });
    EXPECT_EQ(rewritten, "='Mein Blatt'!$A$1+Tabelle10!$B$2+'Mein Blatt'!C3");

    const std::vector<std::pair<const char*, const char*>> prefixes = {
        {"Übersicht", "Übersicht!"}, {"売上", "売上!"}, {"Tabelle1 (2)", "'Tabelle1 (2)'!"},
        {"2024", "'2024'!"}, {"A1", "'A1'!"}, {"O'Neil", "'O''Neil'!"}};
    for (const auto& [sheet, prefix] : prefixes) EXPECT_EQ(SheetPrefix(sheet), prefix);
    EXPECT_EQ(SheetPrefix("Umsatz", "Alte Mappe.xls"), "'[Alte Mappe.xls]Umsatz'!");
}

}  // namespace
}  // namespace brackwell::embedded
