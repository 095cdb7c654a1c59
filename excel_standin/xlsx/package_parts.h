#pragma once
// The parts of an Open Packaging package (the ZIP inside an .xlsx) and the
// relationships that lead from one part to the next.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "excel_standin/xlsx/xml_pull_reader.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

// The namespace of r:id attributes, transitional and strict.
inline constexpr std::wstring_view kRelationshipsNs =
    L"http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::wstring_view kStrictRelationshipsNs = L"http://purl.oclc.org/ooxml/officeDocument/relationships";

struct Relationship {
    std::string id;
    std::string type;    // the full type URI
    std::string target;  // the part it leads to ("xl/worksheets/sheet1.xml"); as written when external
    bool external = false;
};

// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml"; "_rels/.rels" for the
// package itself ("").
std::string RelationshipsPartOf(std::string_view partName);

// A relationship's target as a part name: relative to the source part's
// folder unless it starts with "/", "." and ".." resolved, %XX decoded.
std::string ResolveTarget(std::string_view sourcePart, std::string_view target);

// The relationships of `partName`; none when it has no relationships part.
std::vector<Relationship> ReadRelationships(const ZipReader& zip, std::string_view partName);

// Whether `type` is the relationship type `kind` ("officeDocument",
// "worksheet") in the transitional or the strict namespace.
bool IsRelationshipType(std::string_view type, std::string_view kind);

const Relationship* FindRelationshipById(const std::vector<Relationship>& all, std::string_view id);
const Relationship* FindRelationshipByType(const std::vector<Relationship>& all, std::string_view kind);

// A reader over an XML part; throws FormatError when the part is missing.
XmlPullReader OpenXmlPart(const ZipReader& zip, std::string_view partName);

// The r:id attribute of the current element, in either namespace.
std::optional<std::string> RelationshipIdAttribute(XmlPullReader& xml);

}  // namespace brackwell::win::xlsx
