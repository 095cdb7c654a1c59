#include "adapters/windows/controls/text_data_object.h"

#include <shlobj.h>

#include <cstring>

namespace brackwell::win {
namespace {

bool Offered(const FORMATETC& format) {
    return (format.cfFormat == CF_UNICODETEXT || format.cfFormat == CF_TEXT) &&
           format.dwAspect == DVASPECT_CONTENT && (format.tymed & TYMED_HGLOBAL) && format.lindex == -1;
}

// `bytes` copied into movable global memory, as the clipboard formats want it.
HGLOBAL GlobalCopy(const void* bytes, size_t size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* target = ::GlobalLock(memory);
    if (!target) {
        ::GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(memory);
    return memory;
}

HGLOBAL TextMemory(const std::wstring& text, CLIPFORMAT format) {
    if (format == CF_UNICODETEXT) return GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return nullptr;
    std::string narrow(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    return GlobalCopy(narrow.data(), narrow.size());
}

}  // namespace

HRESULT STDMETHODCALLTYPE TextDataObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TextDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium) return E_INVALIDARG;
    *medium = STGMEDIUM{};
    if (!text_ || !Offered(*format)) return DV_E_FORMATETC;
    HGLOBAL memory = TextMemory(*text_, format->cfFormat);
    if (!memory) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;  // the receiver frees it with ReleaseStgMedium
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TextDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return DATA_E_FORMATETC; }

HRESULT STDMETHODCALLTYPE TextDataObject::QueryGetData(FORMATETC* format) {
    if (!format) return E_INVALIDARG;
    return text_ && Offered(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TextDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE TextDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE TextDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats) return E_INVALIDARG;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC offered[] = {
        {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
        {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
    };
    return ::SHCreateStdEnumFmtEtc(text_ ? 2 : 0, offered, formats);
}

HRESULT STDMETHODCALLTYPE TextDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE TextDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT STDMETHODCALLTYPE TextDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

}  // namespace brackwell::win
