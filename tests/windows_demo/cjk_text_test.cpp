// Japanese and Chinese sheet names draw as text, not as boxes, in every font
// the pane, the demo and the dialogs draw with. Wine brings no CJK font: the
// prefix must have one linked behind these fonts (tools/wine-cjk-font), and
// without it this test fails.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/windows_demo/dib_canvas.h"

namespace brackwell::demo {
namespace {

constexpr int kCell = 32;  // the picture one character is drawn into

// The black-and-white picture of one character in `font`, drawn as a tree
// item or a tab draws its text; small CJK strokes are mostly grey.
std::vector<bool> Glyph(HFONT font, wchar_t character) {
    test::DibCanvas canvas(kCell, kCell);
    RECT all{0, 0, kCell, kCell};
    ::FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    win::SelectedObject selected(canvas.Dc(), font);
    ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::TextOutW(canvas.Dc(), 2, 2, &character, 1);
    std::vector<bool> ink;
    for (std::uint32_t pixel : canvas.Pixels()) ink.push_back((pixel & 0xFF) < 200);
    return ink;
}

int InkOf(const std::vector<bool>& glyph) {
    int count = 0;
    for (bool dot : glyph) count += dot ? 1 : 0;
    return count;
}

struct NamedFont {
    std::string name;
    LOGFONTW font;
};

LOGFONTW Face(const wchar_t* face, int height) {
    LOGFONTW font{};
    font.lfHeight = -height;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

TEST(CjkText, SheetNamesInJapaneseAndChineseDrawAsTextInEveryFontOfThePaneAndTheDemo) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTW iconTitle{};  // the tree view's own font
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));
    const std::vector<NamedFont> fonts = {
        {"tree (icon title font)", iconTitle},
        {"command bars (message font)", metrics.lfMessageFont},
        {"Tahoma (sheet tabs)", Face(L"Tahoma", 13)},
        {"Verdana (pane toolbar)", Face(L"Verdana", 11)},
        {"MS Shell Dlg (dialogs)", Face(L"MS Shell Dlg", 11)},
    };
    // "売上" (sales), "概要" (overview) and "表" (table): none of them may be
    // the box a font draws for a character it lacks, as a private-use one is.
    const std::wstring text = L"売上概要表";
    for (const NamedFont& named : fonts) {
        HFONT font = ::CreateFontIndirectW(&named.font);
        ASSERT_NE(font, nullptr) << named.name;
        const std::vector<bool> missing = Glyph(font, L'\uE000');
        std::vector<std::vector<bool>> seen;
        for (wchar_t c : text) {
            const std::vector<bool> glyph = Glyph(font, c);
            EXPECT_GT(InkOf(glyph), 3) << "no ink for U+" << std::hex << static_cast<int>(c) << " in " << named.name;
            EXPECT_NE(glyph, missing) << "U+" << std::hex << static_cast<int>(c) << " draws as a box in " << named.name
                                      << ": is a CJK font linked into the Wine prefix (tools/wine-cjk-font)?";
            for (const auto& other : seen) EXPECT_NE(glyph, other) << "two characters draw alike";
            seen.push_back(glyph);
        }
        ::DeleteObject(font);
    }
}

}  // namespace
}  // namespace brackwell::demo
