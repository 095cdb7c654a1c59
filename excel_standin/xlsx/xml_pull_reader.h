#pragma once
// One XML part read forwards, element by element, through the system's
// XmlLite parser. Elements and attributes are matched by local name (and an
// attribute, where it matters, by namespace), so prefixes never matter.
// DTDs are refused: a package part has none, and refusing them keeps entity
// tricks out.

#include <windows.h>

#include <xmllite.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "excel_standin/xlsx/zip_entry_stream.h"

namespace brackwell::win::xlsx {

class XmlPullReader {
public:
    // `partName` names the part in error messages. Throws FormatError when
    // the parser cannot start.
    XmlPullReader(ComPtr<ZipEntryStream> input, std::string partName);

    // Moves to the next start tag in document order; false at the end of the
    // document. Throws FormatError for XML that is not well-formed, and the
    // archive's own error for a damaged entry.
    bool NextElement();

    std::wstring_view LocalName() const noexcept { return path_.back(); }
    // The local name of the enclosing element; empty for the root.
    std::wstring_view ParentName() const noexcept;
    // 1 for the root element.
    std::size_t Depth() const noexcept { return path_.size(); }

    // The attribute's value; `namespaceUri` empty for an attribute without prefix.
    std::optional<std::string> Attribute(std::wstring_view localName, std::wstring_view namespaceUri = {});
    // The text inside the current element; leaves the reader on its end tag.
    std::string ReadText();

    const std::string& PartName() const noexcept { return partName_; }

private:
    // One node forwards; false at the end of the document.
    bool Advance(XmlNodeType& type);
    std::wstring CurrentLocalName();
    [[noreturn]] void Fail(HRESULT hr);

    ComPtr<ZipEntryStream> input_;
    ComPtr<IXmlReader> reader_;
    std::string partName_;
    std::vector<std::wstring> path_;  // open elements, the current one last
    // The current element has no end tag still to come (<a/>, or ReadText
    // went past it): the next move leaves it.
    bool currentClosed_ = false;
};

}  // namespace brackwell::win::xlsx
