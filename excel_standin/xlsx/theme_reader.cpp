#include "excel_standin/xlsx/theme_reader.h"

#include <array>

#include "excel_standin/xlsx/package_parts.h"

namespace brackwell::win::xlsx {

namespace {

// The scheme lists dark 1 before light 1 (and dark 2 before light 2), but
// theme="0" means light 1: the first two pairs swap places.
constexpr std::array<std::wstring_view, 12> kSlotsByThemeIndex = {
    L"lt1", L"dk1", L"lt2", L"dk2", L"accent1", L"accent2", L"accent3", L"accent4", L"accent5", L"accent6",
    L"hlink", L"folHlink"};

}  // namespace

ThemeColors ReadThemeColors(const ZipReader& zip, std::string_view themePart) {
    ThemeColors colors = DefaultThemeColors();
    std::array<bool, 12> seen{};
    XmlPullReader xml = OpenXmlPart(zip, themePart);
    while (xml.NextElement()) {
        const bool rgbColor = xml.LocalName() == L"srgbClr";
        if (!rgbColor && xml.LocalName() != L"sysClr") continue;
        for (std::size_t slot = 0; slot < kSlotsByThemeIndex.size(); ++slot) {
            // Only the first scheme counts; later elements of the same name
            // belong to other parts of the theme.
            if (xml.ParentName() != kSlotsByThemeIndex[slot] || seen[slot]) continue;
            seen[slot] = true;
            const auto value = xml.Attribute(rgbColor ? L"val" : L"lastClr");
            if (const auto rgb = value ? ParseHexColor(*value) : std::nullopt) colors[slot] = *rgb;
        }
    }
    return colors;
}

}  // namespace brackwell::win::xlsx
