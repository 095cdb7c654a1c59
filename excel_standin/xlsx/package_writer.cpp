#include "excel_standin/xlsx/package_writer.h"

#include <set>

#include "excel_standin/xlsx/package_parts.h"
#include "excel_standin/xlsx/xml_text.h"
#include "excel_standin/xlsx/zip_writer.h"

namespace brackwell::win::xlsx {

namespace {
constexpr std::string_view kRelationshipTypeBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kRelationshipsContentType = "application/vnd.openxmlformats-package.relationships+xml";
}  // namespace

void PackageWriter::AddPart(std::string name, std::string contentType, std::string xml) {
    parts_.push_back(Part{std::move(name), std::move(contentType), std::move(xml)});
}

void PackageWriter::AddRelationship(std::string sourcePart, std::string id, std::string_view kind, std::string target) {
    links_.push_back(Link{std::move(sourcePart), std::move(id), std::string(kRelationshipTypeBase) + std::string(kind),
                          std::move(target)});
}

std::string PackageWriter::ContentTypesXml() const {
    std::string xml(kXmlDeclaration);
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">";
    xml += "<Default Extension=\"rels\" ContentType=\"" + std::string(kRelationshipsContentType) + "\"/>";
    xml += "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    for (const Part& part : parts_) {
        xml += "<Override PartName=\"/" + XmlEscaped(part.name) + "\" ContentType=\"" + XmlEscaped(part.contentType) +
               "\"/>";
    }
    xml += "</Types>";
    return xml;
}

std::string PackageWriter::RelationshipsXml(std::string_view source) const {
    std::string xml(kXmlDeclaration);
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const Link& link : links_) {
        if (link.source != source) continue;
        xml += "<Relationship Id=\"" + XmlEscaped(link.id) + "\" Type=\"" + XmlEscaped(link.type) + "\" Target=\"" +
               XmlEscaped(link.target) + "\"/>";
    }
    xml += "</Relationships>";
    return xml;
}

std::string PackageWriter::Finish() const {
    ZipWriter zip;
    zip.Add("[Content_Types].xml", ContentTypesXml());
    std::set<std::string> sources;
    for (const Link& link : links_) sources.insert(link.source);
    // The package's own relationships first, as Office orders them.
    if (sources.count("") != 0) zip.Add(RelationshipsPartOf(""), RelationshipsXml(""));
    for (const Part& part : parts_) {
        zip.Add(part.name, part.xml);
        if (sources.count(part.name) != 0) zip.Add(RelationshipsPartOf(part.name), RelationshipsXml(part.name));
    }
    return zip.Finish();
}

}  // namespace brackwell::win::xlsx
