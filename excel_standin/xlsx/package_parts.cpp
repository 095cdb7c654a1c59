#include "excel_standin/xlsx/package_parts.h"

#include <algorithm>
#include <vector>

#include "excel_standin/xlsx/format_error.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::string_view kTransitionalTypeBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kStrictTypeBase = "http://purl.oclc.org/ooxml/officeDocument/relationships/";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

std::string RelationshipsPartOf(std::string_view partName) {
    const std::size_t slash = partName.rfind('/');
    const std::string_view folder = slash == std::string_view::npos ? std::string_view() : partName.substr(0, slash + 1);
    const std::string_view file = slash == std::string_view::npos ? partName : partName.substr(slash + 1);
    return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::string ResolveTarget(std::string_view sourcePart, std::string_view target) {
    target = target.substr(0, target.find('#'));
    std::string joined;
    if (target.starts_with('/')) {
        joined = std::string(target.substr(1));
    } else {
        const std::size_t slash = sourcePart.rfind('/');
        joined = std::string(slash == std::string_view::npos ? std::string_view() : sourcePart.substr(0, slash + 1)) +
                 std::string(target);
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& segment : segments) {
        if (!resolved.empty()) resolved += '/';
        resolved += segment;
    }
    return PercentDecoded(resolved);
}

bool IsRelationshipType(std::string_view type, std::string_view kind) {
    for (const std::string_view base : {kTransitionalTypeBase, kStrictTypeBase}) {
        if (type.size() == base.size() + kind.size() && type.starts_with(base) && type.ends_with(kind)) return true;
    }
    return false;
}

std::vector<Relationship> ReadRelationships(const ZipReader& zip, std::string_view partName) {
    const std::string relsName = RelationshipsPartOf(partName);
    std::vector<Relationship> all;
    if (!zip.Find(relsName)) return all;
    XmlPullReader xml = OpenXmlPart(zip, relsName);
    while (xml.NextElement()) {
        if (xml.LocalName() != L"Relationship" || xml.Depth() != 2) continue;
        Relationship rel;
        rel.id = xml.Attribute(L"Id").value_or("");
        rel.type = xml.Attribute(L"Type").value_or("");
        const std::string target = xml.Attribute(L"Target").value_or("");
        rel.external = xml.Attribute(L"TargetMode").value_or("") == "External";
        if (rel.id.empty() || rel.type.empty() || target.empty()) {
            throw FormatError("Der Teil '" + relsName + "' enthält eine unvollständige Beziehung.");
        }
        rel.target = rel.external ? target : ResolveTarget(partName, target);
        all.push_back(std::move(rel));
    }
    return all;
}

const Relationship* FindRelationshipById(const std::vector<Relationship>& all, std::string_view id) {
    for (const Relationship& rel : all) {
        if (rel.id == id) return &rel;
    }
    return nullptr;
}

const Relationship* FindRelationshipByType(const std::vector<Relationship>& all, std::string_view kind) {
    for (const Relationship& rel : all) {
        if (!rel.external && IsRelationshipType(rel.type, kind)) return &rel;
    }
    return nullptr;
}

XmlPullReader OpenXmlPart(const ZipReader& zip, std::string_view partName) {
    const ZipEntry* entry = zip.Find(partName);
    if (!entry) throw FormatError("Der Teil '" + std::string(partName) + "' fehlt.");
    return XmlPullReader(MakeComObject<ZipEntryStream>(zip.Open(*entry)), std::string(partName));
}

std::optional<std::string> RelationshipIdAttribute(XmlPullReader& xml) {
    if (auto id = xml.Attribute(L"id", kRelationshipsNs)) return id;
    return xml.Attribute(L"id", kStrictRelationshipsNs);
}

}  // namespace brackwell::win::xlsx
