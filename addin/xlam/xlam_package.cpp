#include "addin/xlam/xlam_package.h"

#include "addin/xlam/vba_project.h"
#include "formats/zip/zip_writer.h"

namespace brackwell::addin {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kOfficeRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The about box's title and description.
constexpr std::string_view kTitle = "Brackwell";
constexpr std::string_view kDescription =
    "Dieses Addin soll die Navigation und Übersichtlichkeit in umfangreichen bzw. mehreren geöffneten "
    "Arbeitsmappen erleichtern.";

std::string Xml(std::string_view body) { return std::string(kDeclaration) + std::string(body); }

std::string ContentTypes() {
    return Xml(
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.ms-excel.addin.macroEnabled.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "</Types>");
}

std::string PackageRelationships() {
    return Xml(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        std::string(kOfficeRelationships) +
        "/officeDocument\" Target=\"xl/workbook.xml\"/>"
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
        "Target=\"docProps/core.xml\"/>"
        "</Relationships>");
}

std::string CoreProperties() {
    return Xml(
        "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
        "<dc:title>" +
        std::string(kTitle) + "</dc:title><dc:description>" + std::string(kDescription) +
        "</dc:description></cp:coreProperties>");
}

// Excel 2007 is the oldest that opens an .xlam; the file says it was last
// saved by that version.
std::string Workbook() {
    return Xml("<workbook xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" + std::string(kOfficeRelationships) + "\">" +
               "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4505\"/>"
               "<workbookPr codeName=\"" +
               std::string(kWorkbookCodeName) +
               "\"/>"
               "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16384\" windowHeight=\"8192\"/>"
               "</bookViews>"
               "<sheets><sheet name=\"" +
               std::string(kSheetCodeName) +
               "\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
               "</workbook>");
}

std::string WorkbookRelationships() {
    const std::string type = std::string(kOfficeRelationships) + "/";
    return Xml(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        type + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + type +
        "styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"http://schemas.microsoft.com/office/2006/relationships/vbaProject\" "
        "Target=\"vbaProject.bin\"/>"
        "</Relationships>");
}

std::string Worksheet() {
    return Xml("<worksheet xmlns=\"" + std::string(kMain) + "\"><sheetPr codeName=\"" + std::string(kSheetCodeName) +
               "\"/><dimension ref=\"A1\"/><sheetData/></worksheet>");
}

std::string Styles() {
    return Xml("<styleSheet xmlns=\"" + std::string(kMain) +
               "\">"
               "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
               "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
               "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
               "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
               "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
               "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
               "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
               "</styleSheet>");
}

}  // namespace

std::string XlamPackage(std::string_view vbaProjectBin) {
    formats::ZipWriter zip;
    zip.Add("[Content_Types].xml", ContentTypes());
    zip.Add("_rels/.rels", PackageRelationships());
    zip.Add("docProps/core.xml", CoreProperties());
    zip.Add("xl/workbook.xml", Workbook());
    zip.Add("xl/_rels/workbook.xml.rels", WorkbookRelationships());
    zip.Add("xl/worksheets/sheet1.xml", Worksheet());
    zip.Add("xl/styles.xml", Styles());
    zip.Add("xl/vbaProject.bin", vbaProjectBin);
    return zip.Finish();
}

}  // namespace brackwell::addin
