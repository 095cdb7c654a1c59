// Node keys read back into kind and number, and the host's 56 colours.

#include <gtest/gtest.h>

#include <tuple>

#include "host/automation_error.h"
#include "host/excel.h"
#include "tree/node_key.h"
#include "tree/palette.h"

namespace brackwell {
namespace {

TEST(ParseNodeKey, GivesKindAndNumberLookingForTheBarFirst) {
    const std::tuple<std::string, std::int32_t, std::int32_t> cases[] = {
        {"wb7", 1, 7}, {"wb12", 1, 12}, {"wb3|10", 2, 10}, {"wb3#2", 3, 2}, {"wb1#2|4", 2, 4}, {"Üb7", 1, 7},
        {WorksheetKey(WorkbookKey(4), 250), 2, 250}, {NameKey(WorkbookKey(4), 17), 3, 17}};
    for (const auto& [key, kind, expected] : cases) {
        std::int32_t number = -1;
        EXPECT_EQ(ParseNodeKey(key, number), kind) << key;
        EXPECT_EQ(number, expected) << key;
    }
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

// Every entry as red, green and blue, the duplicates (5 and 32, 6 and 27 ...)
// included; black outside 1 to 56, the host's "no colour" too.
TEST(ColorIndexToRgb, GivesTheHostsPaletteAndBlackOutsideIt) {
    const std::uint32_t rgb[56][3] = {
        {0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255},
        {0, 255, 255}, {128, 0, 0}, {0, 128, 0}, {0, 0, 128}, {128, 128, 0}, {128, 0, 128}, {0, 128, 128},
        {192, 192, 192}, {128, 128, 128}, {153, 153, 255}, {153, 51, 102}, {255, 255, 204}, {204, 255, 255},
        {102, 0, 102}, {255, 128, 128}, {0, 102, 204}, {204, 204, 255}, {0, 0, 128}, {255, 0, 255},
        {255, 255, 0}, {0, 255, 255}, {128, 0, 128}, {128, 0, 0}, {0, 128, 128}, {0, 0, 255}, {0, 204, 255},
        {204, 255, 255}, {204, 255, 204}, {255, 255, 153}, {153, 204, 255}, {255, 153, 204}, {204, 153, 255},
        {255, 204, 153}, {51, 102, 255}, {51, 204, 204}, {153, 204, 0}, {255, 204, 0}, {255, 153, 0},
        {255, 102, 0}, {102, 102, 153}, {150, 150, 150}, {0, 51, 102}, {51, 153, 102}, {0, 51, 0},
        {51, 51, 0}, {153, 51, 0}, {153, 51, 102}, {51, 51, 153}, {51, 51, 51}};
    for (std::int32_t index = 1; index <= 56; ++index) {
        const auto& [r, g, b] = rgb[index - 1];
        EXPECT_EQ(ColorIndexToRgb(index), r | g << 8 | b << 16) << index;
    }
    for (std::int32_t outside : {0, 57, -1, xl::kColorIndexNone}) EXPECT_EQ(ColorIndexToRgb(outside), 0u) << outside;
}

}  // namespace
}  // namespace brackwell
