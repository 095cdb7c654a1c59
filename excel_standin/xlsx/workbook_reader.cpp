#include "excel_standin/xlsx/workbook_reader.h"

#include <charconv>
#include <vector>

#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/package_parts.h"
#include "excel_standin/xlsx/sheet_part_reader.h"
#include "excel_standin/xlsx/theme_reader.h"
#include "excel_standin/xlsx/xml_text.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::string_view kDefaultWorkbookPart = "xl/workbook.xml";

struct SheetEntry {
    embedded::SheetContent content;
    std::string relationshipId;
};

struct NameEntry {
    std::string name;
    std::string formula;
    std::optional<std::string> localSheetId;
    bool hidden = false;
};

struct WorkbookPart {
    std::vector<SheetEntry> sheets;
    std::vector<NameEntry> names;
    bool firstWindowVisible = true;
};

std::string WorkbookPartName(const ZipReader& zip) {
    const std::vector<Relationship> packageRels = ReadRelationships(zip, "");
    if (const Relationship* rel = FindRelationshipByType(packageRels, "officeDocument")) return rel->target;
    return std::string(kDefaultWorkbookPart);
}

WorkbookPart ParseWorkbookPart(const ZipReader& zip, const std::string& partName) {
    XmlPullReader xml = OpenXmlPart(zip, partName);
    if (!xml.NextElement() || xml.LocalName() != L"workbook") {
        throw FormatError("Der Teil '" + partName + "' ist keine Arbeitsmappe.");
    }
    WorkbookPart part;
    bool firstView = true;
    while (xml.NextElement()) {
        if (xml.Depth() != 3) continue;
        if (xml.LocalName() == L"sheet" && xml.ParentName() == L"sheets") {
            SheetEntry sheet;
            sheet.content.name = XstringDecoded(xml.Attribute(L"name").value_or(""));
            const std::string state = xml.Attribute(L"state").value_or("visible");
            sheet.content.visible = state != "hidden" && state != "veryHidden";
            sheet.relationshipId = RelationshipIdAttribute(xml).value_or("");
            part.sheets.push_back(std::move(sheet));
        } else if (xml.LocalName() == L"workbookView" && xml.ParentName() == L"bookViews" && firstView) {
            firstView = false;
            const std::string visibility = xml.Attribute(L"visibility").value_or("visible");
            part.firstWindowVisible = visibility != "hidden" && visibility != "veryHidden";
        } else if (xml.LocalName() == L"definedName" && xml.ParentName() == L"definedNames") {
            NameEntry name;
            name.name = XstringDecoded(xml.Attribute(L"name").value_or(""));
            name.localSheetId = xml.Attribute(L"localSheetId");
            const std::string hidden = xml.Attribute(L"hidden").value_or("0");
            name.hidden = hidden == "1" || hidden == "true";
            name.formula = xml.ReadText();
            part.names.push_back(std::move(name));
        }
    }
    return part;
}

embedded::SheetKind KindOf(const Relationship& rel) {
    if (IsRelationshipType(rel.type, "worksheet")) return embedded::SheetKind::Worksheet;
    // The host knows worksheets and chart sheets only. A dialog or macro
    // sheet is, like a chart sheet, a sheet that is not a worksheet.
    for (const std::string_view other : {"chartsheet", "dialogsheet", "xlMacrosheet", "xlIntlMacrosheet"}) {
        if (IsRelationshipType(rel.type, other)) return embedded::SheetKind::Chart;
    }
    throw FormatError("Das Blatt verweist auf einen Teil unbekannter Art ('" + rel.type + "').");
}

const std::string& SheetNameAt(const std::vector<SheetEntry>& sheets, const std::string& localSheetId,
                               const std::string& name) {
    std::size_t index = 0;
    const auto [end, ec] = std::from_chars(localSheetId.data(), localSheetId.data() + localSheetId.size(), index);
    if (ec != std::errc() || end != localSheetId.data() + localSheetId.size() || index >= sheets.size()) {
        throw FormatError("Der Name '" + name + "' gehört zu einem Blatt, das es nicht gibt (localSheetId " +
                          localSheetId + ").");
    }
    return sheets[index].content.name;
}

}  // namespace

embedded::WorkbookContent ReadWorkbook(const ZipReader& zip) {
    const std::string partName = WorkbookPartName(zip);
    WorkbookPart part = ParseWorkbookPart(zip, partName);
    if (part.sheets.empty()) throw FormatError("Die Arbeitsmappe enthält kein Blatt.");

    const std::vector<Relationship> rels = ReadRelationships(zip, partName);
    const Relationship* themeRel = FindRelationshipByType(rels, "theme");
    const ThemeColors theme =
        themeRel && zip.Find(themeRel->target) ? ReadThemeColors(zip, themeRel->target) : DefaultThemeColors();

    embedded::WorkbookContent content;
    content.firstWindowVisible = part.firstWindowVisible;
    for (SheetEntry& sheet : part.sheets) {
        const Relationship* rel = FindRelationshipById(rels, sheet.relationshipId);
        if (!rel || rel->external) {
            throw FormatError("Das Blatt '" + sheet.content.name + "' verweist auf keinen Teil der Datei (Beziehung '" +
                              sheet.relationshipId + "').");
        }
        sheet.content.kind = KindOf(*rel);
        ReadSheetPart(zip, rel->target, theme, sheet.content);
        content.sheets.push_back(sheet.content);
    }
    for (NameEntry& name : part.names) {
        embedded::NameContent out;
        out.name = name.name;  // a built-in one keeps its "_xlnm." as the host takes it
        out.refersTo = "=" + name.formula;
        out.hidden = name.hidden;
        if (name.localSheetId) out.localSheet = SheetNameAt(part.sheets, *name.localSheetId, name.name);
        content.names.push_back(std::move(out));
    }
    return content;
}

}  // namespace brackwell::win::xlsx
