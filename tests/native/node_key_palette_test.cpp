#include <gtest/gtest.h>

#include "host/automation_error.h"
#include "host/excel.h"
#include "tree/node_key.h"
#include "tree/palette.h"

namespace brackwell {
namespace {

struct KeyCase {
    std::string key;
    std::int32_t kind;
    std::int32_t number;
};

class ParseNodeKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ParseNodeKeyTest, GivesKindAndNumber) {
    std::int32_t number = -1;
    EXPECT_EQ(ParseNodeKey(GetParam().key, number), GetParam().kind);
    EXPECT_EQ(number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Keys, ParseNodeKeyTest,
                         ::testing::Values(KeyCase{"wb7", 1, 7}, KeyCase{"wb12", 1, 12},
                                           KeyCase{"wb3|10", 2, 10}, KeyCase{"wb3#2", 3, 2},
                                           // the bar is looked for first
                                           KeyCase{"wb1#2|4", 2, 4}));

TEST(ParseNodeKey, RoundTripsTheKeysTheTreeMakes) {
    std::int32_t number = 0;
    EXPECT_EQ(ParseNodeKey(WorksheetKey(WorkbookKey(4), 250), number), 2);
    EXPECT_EQ(number, 250);
    EXPECT_EQ(ParseNodeKey(NameKey(WorkbookKey(4), 17), number), 3);
    EXPECT_EQ(number, 17);
}

TEST(ParseNodeKey, FailsWithTypeMismatchWhenNoNumberFollows) {
    for (const std::string key : {"wbx", "wb3|", "wb3#abc", "Tabelle1", "wb1|4#2"}) {
        std::int32_t number = 0;
        try {
            ParseNodeKey(key, number);
            ADD_FAILURE() << key << " was accepted";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), 13) << key;
        }
    }
}

TEST(ColorIndexToRgb, MapsThePaletteAndGivesBlackOutsideIt) {
    EXPECT_EQ(ColorIndexToRgb(3), 255u);
    EXPECT_EQ(ColorIndexToRgb(5), 16711680u);
    EXPECT_EQ(ColorIndexToRgb(2), 16777215u);
    EXPECT_EQ(ColorIndexToRgb(56), 3355443u);
    EXPECT_EQ(ColorIndexToRgb(1), 0u);  // black is index 1
    for (std::int32_t outside : {0, 57, -1, xl::kColorIndexNone}) EXPECT_EQ(ColorIndexToRgb(outside), 0u) << outside;
}

TEST(ColorIndexToRgb, KeepsThePalettesDuplicateEntries) {
    const std::pair<int, int> twins[] = {{5, 32}, {6, 27}, {7, 26}, {8, 28}, {9, 30},
                                         {11, 25}, {13, 29}, {14, 31}, {18, 54}, {20, 34}};
    for (auto [a, b] : twins) EXPECT_EQ(ColorIndexToRgb(a), ColorIndexToRgb(b)) << a << " and " << b;
}

}  // namespace
}  // namespace brackwell
