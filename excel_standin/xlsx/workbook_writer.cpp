#include "excel_standin/xlsx/workbook_writer.h"

#include <algorithm>

#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/package_writer.h"
#include "excel_standin/xlsx/sheet_part_writer.h"
#include "excel_standin/xlsx/xml_text.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::string_view kContentTypeBase = "application/vnd.openxmlformats-officedocument.";
constexpr std::string_view kWorkbookPart = "xl/workbook.xml";

std::string ContentType(std::string_view rest) { return std::string(kContentTypeBase) + std::string(rest); }

std::string StylesXml() {
    std::string xml(kXmlDeclaration);
    // The least Excel takes without repairing: one font, the two fills it
    // reserves, one border, one cell format and the normal style.
    xml +=
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
        "</font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
        "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
        "<cellStyles count=\"1\"><cellStyle name=\"Standard\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
        "<dxfs count=\"0\"/><tableStyles count=\"0\"/>"
        "</styleSheet>";
    return xml;
}

std::size_t FirstVisibleSheet(const embedded::WorkbookContent& content) {
    const auto it = std::find_if(content.sheets.begin(), content.sheets.end(),
                                 [](const embedded::SheetContent& s) { return s.visible; });
    return it == content.sheets.end() ? 0 : static_cast<std::size_t>(it - content.sheets.begin());
}

std::size_t SheetIndexOf(const embedded::WorkbookContent& content, const embedded::NameContent& name) {
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        if (content.sheets[i].name == *name.localSheet) return i;
    }
    throw FormatError("Der Name '" + name.name + "' gehört zu einem Blatt, das es nicht gibt ('" + *name.localSheet +
                      "').");
}

std::string WorkbookXml(const embedded::WorkbookContent& content) {
    const std::size_t activeTab = FirstVisibleSheet(content);
    std::string xml(kXmlDeclaration);
    xml +=
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    xml += "<bookViews><workbookView";
    if (!content.firstWindowVisible) xml += " visibility=\"hidden\"";
    xml += " activeTab=\"" + std::to_string(activeTab) + "\"/></bookViews>";
    xml += "<sheets>";
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        const embedded::SheetContent& sheet = content.sheets[i];
        xml += "<sheet name=\"" + XmlEscaped(XstringEncoded(sheet.name)) + "\" sheetId=\"" + std::to_string(i + 1) +
               "\"" + (sheet.visible ? "" : " state=\"hidden\"") + " r:id=\"rId" + std::to_string(i + 1) + "\"/>";
    }
    xml += "</sheets>";
    if (!content.names.empty()) {
        xml += "<definedNames>";
        for (const embedded::NameContent& name : content.names) {
            xml += "<definedName name=\"" + XmlEscaped(XstringEncoded(name.name)) + "\"";
            if (name.localSheet) xml += " localSheetId=\"" + std::to_string(SheetIndexOf(content, name)) + "\"";
            if (name.hidden) xml += " hidden=\"1\"";
            const std::string_view formula = std::string_view(name.refersTo).starts_with('=')
                                                 ? std::string_view(name.refersTo).substr(1)
                                                 : std::string_view(name.refersTo);
            xml += ">" + XmlEscaped(XstringEncoded(formula)) + "</definedName>";
        }
        xml += "</definedNames>";
    }
    xml += "</workbook>";
    return xml;
}

}  // namespace

std::string WriteWorkbook(const embedded::WorkbookContent& content, PackageKind kind) {
    if (content.sheets.empty()) throw FormatError("Eine Arbeitsmappe ohne Blatt kann nicht gespeichert werden.");
    PackageWriter package;
    const std::string workbook(kWorkbookPart);
    package.AddPart(workbook,
                    kind == PackageKind::MacroEnabledWorkbook
                        ? std::string("application/vnd.ms-excel.sheet.macroEnabled.main+xml")
                        : ContentType("spreadsheetml.sheet.main+xml"),
                    WorkbookXml(content));
    package.AddRelationship("", "rId1", "officeDocument", workbook);

    const std::size_t activeTab = FirstVisibleSheet(content);
    int worksheets = 0;
    int chartsheets = 0;
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        const embedded::SheetContent& sheet = content.sheets[i];
        const std::string id = "rId" + std::to_string(i + 1);
        if (sheet.kind == embedded::SheetKind::Worksheet) {
            const std::string file = "worksheets/sheet" + std::to_string(++worksheets) + ".xml";
            package.AddPart("xl/" + file, ContentType("spreadsheetml.worksheet+xml"), WorksheetXml(sheet, i == activeTab));
            package.AddRelationship(workbook, id, "worksheet", file);
            continue;
        }
        const std::string n = std::to_string(++chartsheets);
        const std::string part = "xl/chartsheets/sheet" + n + ".xml";
        const std::string drawing = "xl/drawings/drawing" + n + ".xml";
        package.AddPart(part, ContentType("spreadsheetml.chartsheet+xml"), ChartsheetXml(sheet, i == activeTab));
        package.AddPart(drawing, ContentType("drawing+xml"), ChartDrawingXml());
        package.AddPart("xl/charts/chart" + n + ".xml", ContentType("drawingml.chart+xml"), EmptyChartXml());
        package.AddRelationship(workbook, id, "chartsheet", "chartsheets/sheet" + n + ".xml");
        package.AddRelationship(part, "rId1", "drawing", "../drawings/drawing" + n + ".xml");
        package.AddRelationship(drawing, "rId1", "chart", "../charts/chart" + n + ".xml");
    }
    package.AddPart("xl/styles.xml", ContentType("spreadsheetml.styles+xml"), StylesXml());
    package.AddRelationship(workbook, "rId" + std::to_string(content.sheets.size() + 1), "styles", "styles.xml");
    return package.Finish();
}

}  // namespace brackwell::win::xlsx
