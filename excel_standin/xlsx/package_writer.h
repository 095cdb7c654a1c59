#pragma once
// Puts an Open Packaging package together: the parts with their content
// types, the relationships between them, [Content_Types].xml and the
// relationship parts, all in one ZIP archive.

#include <string>
#include <string_view>
#include <vector>

namespace brackwell::win::xlsx {

class PackageWriter {
public:
    // `name` without leading slash ("xl/workbook.xml").
    void AddPart(std::string name, std::string contentType, std::string xml);
    // A relationship of `kind` ("worksheet", "officeDocument") from
    // `sourcePart` ("" for the package) to `target`, written as given
    // (relative to the source part's folder).
    void AddRelationship(std::string sourcePart, std::string id, std::string_view kind, std::string target);

    // The archive's bytes.
    std::string Finish() const;

private:
    struct Part {
        std::string name, contentType, xml;
    };
    struct Link {
        std::string source, id, type, target;
    };
    std::string ContentTypesXml() const;
    std::string RelationshipsXml(std::string_view source) const;

    std::vector<Part> parts_;
    std::vector<Link> links_;
};

inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

}  // namespace brackwell::win::xlsx
