#include "excel_standin/xlsx/xml_pull_reader.h"

#include <cstdio>
#include <stdexcept>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/win_handles.h"
#include "excel_standin/xlsx/format_error.h"

namespace brackwell::win::xlsx {

namespace {

using CreateXmlReaderFn = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

struct FreeLibraryFn {
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};

// MinGW has no import library for xmllite.dll, so it is loaded by hand, from
// the system folder only (never from beside the program).
CreateXmlReaderFn LoadCreateXmlReader() {
    static const UniqueHandle<HMODULE, FreeLibraryFn> module = [] {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return UniqueHandle<HMODULE, FreeLibraryFn>();
        return UniqueHandle<HMODULE, FreeLibraryFn>(LoadLibraryW((std::wstring(folder) + L"\\xmllite.dll").c_str()));
    }();
    if (!module) throw std::runtime_error("Die Systembibliothek xmllite.dll fehlt.");
    const FARPROC proc = GetProcAddress(module.Get(), "CreateXmlReader");
    if (!proc) throw std::runtime_error("Die Systembibliothek xmllite.dll ist unvollständig.");
    return reinterpret_cast<CreateXmlReaderFn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

XmlPullReader::XmlPullReader(ComPtr<ZipEntryStream> input, std::string partName)
    : input_(std::move(input)), partName_(std::move(partName)) {
    HRESULT hr = LoadCreateXmlReader()(__uuidof(IXmlReader), reader_.ReceiveVoid(), nullptr);
    if (SUCCEEDED(hr)) hr = reader_->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (SUCCEEDED(hr)) hr = reader_->SetInput(static_cast<IStream*>(input_.Get()));
    if (FAILED(hr)) Fail(hr);
}

bool XmlPullReader::Advance(XmlNodeType& type) {
    const HRESULT hr = reader_->Read(&type);
    if (hr == S_FALSE) return false;
    if (hr != S_OK) Fail(hr);
    return true;
}

std::wstring XmlPullReader::CurrentLocalName() {
    const wchar_t* name = nullptr;
    UINT length = 0;
    const HRESULT hr = reader_->GetLocalName(&name, &length);
    if (FAILED(hr)) Fail(hr);
    return std::wstring(name, length);
}

bool XmlPullReader::NextElement() {
    if (currentClosed_ && !path_.empty()) path_.pop_back();
    currentClosed_ = false;
    XmlNodeType type = XmlNodeType_None;
    while (Advance(type)) {
        if (type == XmlNodeType_Element) {
            currentClosed_ = reader_->IsEmptyElement() != FALSE;
            path_.push_back(CurrentLocalName());
            return true;
        }
        if (type == XmlNodeType_EndElement && !path_.empty()) path_.pop_back();
    }
    return false;
}

std::wstring_view XmlPullReader::ParentName() const noexcept {
    return path_.size() < 2 ? std::wstring_view() : std::wstring_view(path_[path_.size() - 2]);
}

std::optional<std::string> XmlPullReader::Attribute(std::wstring_view localName, std::wstring_view namespaceUri) {
    std::optional<std::string> value;
    for (HRESULT hr = reader_->MoveToFirstAttribute(); hr == S_OK; hr = reader_->MoveToNextAttribute()) {
        const wchar_t* name = nullptr;
        const wchar_t* uri = nullptr;
        const wchar_t* text = nullptr;
        UINT nameLength = 0;
        UINT uriLength = 0;
        UINT textLength = 0;
        if (FAILED(reader_->GetLocalName(&name, &nameLength)) ||
            FAILED(reader_->GetNamespaceUri(&uri, &uriLength))) {
            continue;
        }
        if (std::wstring_view(name, nameLength) != localName || std::wstring_view(uri, uriLength) != namespaceUri) {
            continue;
        }
        if (SUCCEEDED(reader_->GetValue(&text, &textLength))) value = WideToUtf8(std::wstring_view(text, textLength));
        break;
    }
    reader_->MoveToElement();
    return value;
}

std::string XmlPullReader::ReadText() {
    if (currentClosed_) return {};
    std::wstring text;
    std::size_t nested = 0;
    XmlNodeType type = XmlNodeType_None;
    while (Advance(type)) {
        switch (type) {
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace: {
            const wchar_t* value = nullptr;
            UINT length = 0;
            const HRESULT hr = reader_->GetValue(&value, &length);
            if (FAILED(hr)) Fail(hr);
            text.append(value, length);
            break;
        }
        case XmlNodeType_Element:
            if (!reader_->IsEmptyElement()) ++nested;
            break;
        case XmlNodeType_EndElement:
            if (nested == 0) {
                currentClosed_ = true;  // its end tag is read: the next move leaves it
                return WideToUtf8(text);
            }
            --nested;
            break;
        default:
            break;
        }
    }
    throw FormatError("Der Teil '" + partName_ + "' endet mitten in einem Element.");
}

void XmlPullReader::Fail(HRESULT hr) {
    if (input_ && input_->Failure()) std::rethrow_exception(input_->Failure());
    UINT line = 0;
    UINT column = 0;
    if (reader_) {
        reader_->GetLineNumber(&line);
        reader_->GetLinePosition(&column);
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    throw FormatError("Der Teil '" + partName_ + "' enthält kein gültiges XML (Zeile " + std::to_string(line) +
                      ", Spalte " + std::to_string(column) + ", Fehler " + code + ").");
}

}  // namespace brackwell::win::xlsx
