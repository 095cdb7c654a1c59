#include "excel_standin/xlsx/sheet_part_reader.h"

#include <charconv>

#include "excel_standin/xlsx/package_parts.h"
#include "excel_standin/xlsx/sheet_password.h"

namespace brackwell::win::xlsx {

namespace {

std::optional<int> ParseInt(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}

double ParseTint(const std::optional<std::string>& text) {
    double value = 0.0;
    if (!text) return value;
    // from_chars reads "0.5" whatever the C locale says; a damaged tint
    // leaves the colour untinted.
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    return ec == std::errc() && end == text->data() + text->size() ? value : 0.0;
}

std::int32_t ReadTabColor(XmlPullReader& xml, const ThemeColors& theme) {
    TabColorAttributes color;
    color.automatic = IsXmlTrue(xml.Attribute(L"auto"));
    color.rgb = xml.Attribute(L"rgb");
    color.indexed = ParseInt(xml.Attribute(L"indexed"));
    color.theme = ParseInt(xml.Attribute(L"theme"));
    color.tint = ParseTint(xml.Attribute(L"tint"));
    return ColorIndexFromTabColor(color, theme);
}

void ReadProtection(XmlPullReader& xml, embedded::SheetContent& sheet) {
    // A worksheet protects its cells with sheet="1", a chart sheet its chart
    // with content="1".
    sheet.protectedContents = IsXmlTrue(xml.Attribute(L"sheet")) || IsXmlTrue(xml.Attribute(L"content"));
    if (!sheet.protectedContents) return;
    PasswordHash hash;
    hash.legacy = xml.Attribute(L"password").value_or("");
    hash.algorithmName = xml.Attribute(L"algorithmName").value_or("");
    hash.hashValue = xml.Attribute(L"hashValue").value_or("");
    hash.saltValue = xml.Attribute(L"saltValue").value_or("");
    hash.spinCount = xml.Attribute(L"spinCount").value_or("");
    sheet.password = hash.Empty() ? std::string() : PasswordStandingFor(hash);
}

}  // namespace

bool IsXmlTrue(const std::optional<std::string>& value) { return value && (*value == "1" || *value == "true"); }

void ReadSheetPart(const ZipReader& zip, std::string_view partName, const ThemeColors& theme,
                   embedded::SheetContent& sheet) {
    XmlPullReader xml = OpenXmlPart(zip, partName);
    while (xml.NextElement()) {
        if (xml.Depth() == 3 && xml.LocalName() == L"tabColor" && xml.ParentName() == L"sheetPr") {
            sheet.tabColorIndex = ReadTabColor(xml, theme);
        } else if (xml.Depth() == 2 && xml.LocalName() == L"sheetProtection") {
            ReadProtection(xml, sheet);
            return;  // nothing after it is of interest
        }
    }
}

}  // namespace brackwell::win::xlsx
