#pragma once
// The data object of a drag that starts in the tree: at most one text,
// offered as CF_UNICODETEXT and, for older drop targets, as CF_TEXT in global
// memory. The drag's OLEStartDrag handlers fill it through WinDataObject;
// OLE and the drop target only read it.

#include <windows.h>

#include <objidl.h>

#include <optional>
#include <string>

#include "adapters/windows/common/com_object.h"

namespace brackwell::win {

class TextDataObject final : public ComObject<IDataObject> {
public:
    void SetText(std::wstring text) { text_ = std::move(text); }
    void Clear() { text_.reset(); }
    const std::optional<std::wstring>& Text() const { return text_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    // Nothing is taken from outside: the text is the drag's own.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    std::optional<std::wstring> text_;
};

}  // namespace brackwell::win
