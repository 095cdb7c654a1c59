#include "excel_standin/xlsx/sheet_part_writer.h"

#include "excel_standin/xlsx/package_writer.h"
#include "excel_standin/xlsx/sheet_password.h"
#include "excel_standin/xlsx/tab_color.h"
#include "excel_standin/xlsx/xml_text.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::string_view kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
// Excel's default margins for a new sheet, in inches.
constexpr std::string_view kPageMargins =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.787401575\" bottom=\"0.787401575\" header=\"0.3\" "
    "footer=\"0.3\"/>";

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + XmlEscaped(value) + "\"";
}

std::string SheetPr(const embedded::SheetContent& sheet) {
    if (sheet.tabColorIndex < 1 || sheet.tabColorIndex > 56) return {};
    return "<sheetPr><tabColor indexed=\"" + std::to_string(IndexedFromColorIndex(sheet.tabColorIndex)) +
           "\"/></sheetPr>";
}

std::string SheetProtection(const embedded::SheetContent& sheet, bool chart) {
    if (!sheet.protectedContents) return {};
    return "<sheetProtection" + SheetProtectionAttributes(sheet, chart) + "/>";
}

}  // namespace

std::string SheetProtectionAttributes(const embedded::SheetContent& sheet, bool chart) {
    std::string out;
    if (const auto hash = HashBehind(sheet.password)) {
        // A password read from a file goes back as the hash it came as.
        if (!hash->legacy.empty()) out += Attribute("password", hash->legacy);
        if (!hash->hashValue.empty()) {
            out += Attribute("algorithmName", hash->algorithmName) + Attribute("hashValue", hash->hashValue) +
                   Attribute("saltValue", hash->saltValue) + Attribute("spinCount", hash->spinCount);
        }
    } else if (!sheet.password.empty()) {
        out += Attribute("password", LegacyPasswordHash(sheet.password));
    }
    // What Protect without arguments sets: contents, drawing objects and,
    // on a worksheet, scenarios.
    out += chart ? " content=\"1\" objects=\"1\"" : " sheet=\"1\" objects=\"1\" scenarios=\"1\"";
    return out;
}

std::string WorksheetXml(const embedded::SheetContent& sheet, bool tabSelected) {
    std::string xml(kXmlDeclaration);
    xml += "<worksheet xmlns=\"" + std::string(kMainNs) + "\" xmlns:r=\"" + std::string(kRelNs) + "\">";
    xml += SheetPr(sheet);
    xml += "<dimension ref=\"A1\"/>";
    xml += std::string("<sheetViews><sheetView") + (tabSelected ? " tabSelected=\"1\"" : "") +
           " workbookViewId=\"0\"/></sheetViews>";
    xml += "<sheetFormatPr defaultRowHeight=\"15\"/>";
    xml += "<sheetData/>";
    xml += SheetProtection(sheet, false);
    xml += kPageMargins;
    xml += "</worksheet>";
    return xml;
}

std::string ChartsheetXml(const embedded::SheetContent& sheet, bool tabSelected) {
    std::string xml(kXmlDeclaration);
    xml += "<chartsheet xmlns=\"" + std::string(kMainNs) + "\" xmlns:r=\"" + std::string(kRelNs) + "\">";
    xml += SheetPr(sheet);
    xml += std::string("<sheetViews><sheetView") + (tabSelected ? " tabSelected=\"1\"" : "") +
           " zoomToFit=\"1\" workbookViewId=\"0\"/></sheetViews>";
    xml += SheetProtection(sheet, true);
    xml += kPageMargins;
    xml += "<drawing r:id=\"rId1\"/>";
    xml += "</chartsheet>";
    return xml;
}

std::string ChartDrawingXml() {
    std::string xml(kXmlDeclaration);
    xml +=
        "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<xdr:absoluteAnchor><xdr:pos x=\"0\" y=\"0\"/><xdr:ext cx=\"9290000\" cy=\"6080000\"/>"
        "<xdr:graphicFrame macro=\"\">"
        "<xdr:nvGraphicFramePr><xdr:cNvPr id=\"2\" name=\"Diagramm 1\"/>"
        "<xdr:cNvGraphicFramePr><a:graphicFrameLocks noGrp=\"1\"/></xdr:cNvGraphicFramePr></xdr:nvGraphicFramePr>"
        "<xdr:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/></xdr:xfrm>"
        "<a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/chart\">"
        "<c:chart xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" xmlns:r=\"";
    xml += kRelNs;
    xml +=
        "\" r:id=\"rId1\"/>"
        "</a:graphicData></a:graphic></xdr:graphicFrame><xdr:clientData/></xdr:absoluteAnchor></xdr:wsDr>";
    return xml;
}

std::string EmptyChartXml() {
    std::string xml(kXmlDeclaration);
    // A column chart without series: the two axes it needs and nothing else.
    xml +=
        "<c:chartSpace xmlns:c=\"http://schemas.openxmlformats.org/drawingml/2006/chart\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\"";
    xml += kRelNs;
    xml +=
        "\"><c:chart><c:autoTitleDeleted val=\"1\"/><c:plotArea><c:layout/>"
        "<c:barChart><c:barDir val=\"col\"/><c:grouping val=\"clustered\"/><c:varyColors val=\"0\"/>"
        "<c:axId val=\"100000001\"/><c:axId val=\"100000002\"/></c:barChart>"
        "<c:catAx><c:axId val=\"100000001\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling>"
        "<c:delete val=\"0\"/><c:axPos val=\"b\"/><c:crossAx val=\"100000002\"/><c:crosses val=\"autoZero\"/>"
        "</c:catAx>"
        "<c:valAx><c:axId val=\"100000002\"/><c:scaling><c:orientation val=\"minMax\"/></c:scaling>"
        "<c:delete val=\"0\"/><c:axPos val=\"l\"/><c:crossAx val=\"100000001\"/><c:crosses val=\"autoZero\"/>"
        "</c:valAx>"
        "</c:plotArea><c:plotVisOnly val=\"1\"/></c:chart></c:chartSpace>";
    return xml;
}

}  // namespace brackwell::win::xlsx
