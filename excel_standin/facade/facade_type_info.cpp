#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

namespace {

// Member names are ASCII; late binding compares them without case.
bool SameName(const wchar_t* a, const wchar_t* b) noexcept {
    for (;; ++a, ++b) {
        wchar_t x = *a;
        wchar_t y = *b;
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y) return false;
        if (x == L'\0') return true;
    }
}

// A BSTR for an [out] text the caller may not want (null pointer).
HRESULT GiveText(BSTR* out, const wchar_t* text) noexcept {
    if (out == nullptr) return S_OK;
    *out = text ? SysAllocString(text) : nullptr;
    return text && *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace

HRESULT IdsOfNames(std::span<const MemberInfo> members, LPOLESTR* names, UINT count, DISPID* ids) noexcept {
    if (names == nullptr || ids == nullptr) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const MemberInfo& member : members) {
        if (names[0] != nullptr && SameName(names[0], member.name)) ids[0] = member.id;
    }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

FacadeTypeInfo::FacadeTypeInfo(const wchar_t* name, const GUID& guid, std::span<const MemberInfo> members) noexcept
    : name_(name), members_(members), attributes_{} {
    attributes_.guid = guid;
    attributes_.memidConstructor = MEMBERID_NIL;
    attributes_.memidDestructor = MEMBERID_NIL;
    attributes_.typekind = TKIND_DISPATCH;
    attributes_.cbSizeVft = 7 * sizeof(void*);  // IDispatch's methods
    attributes_.cbAlignment = alignof(void*);
    attributes_.wTypeFlags = TYPEFLAG_FDISPATCHABLE;
}

const MemberInfo* FacadeTypeInfo::Find(MEMBERID id) const noexcept {
    for (const MemberInfo& member : members_) {
        if (member.id == id) return &member;
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ITypeInfo)) {
        *out = static_cast<ITypeInfo*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetTypeAttr(TYPEATTR** attributes) {
    if (attributes == nullptr) return E_POINTER;
    *attributes = &attributes_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetTypeComp(ITypeComp** comp) {
    if (comp) *comp = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetFuncDesc(UINT, FUNCDESC** desc) {
    if (desc) *desc = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetVarDesc(UINT, VARDESC** desc) {
    if (desc) *desc = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) {
    if (names == nullptr || count == nullptr) return E_POINTER;
    *count = 0;
    const MemberInfo* member = Find(id);
    if (member == nullptr) return TYPE_E_ELEMENTNOTFOUND;
    if (maxNames == 0) return S_OK;
    if (const HRESULT hr = GiveText(names, member->name); FAILED(hr)) return hr;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetRefTypeOfImplType(UINT, HREFTYPE*) { return TYPE_E_ELEMENTNOTFOUND; }

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetImplTypeFlags(UINT, INT*) { return TYPE_E_ELEMENTNOTFOUND; }

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) {
    return IdsOfNames(members_, names, count, ids);
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;  // callers invoke through the object itself
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                                           BSTR* helpFile) {
    const wchar_t* text = name_;
    if (id != MEMBERID_NIL) {
        const MemberInfo* member = Find(id);
        if (member == nullptr) return TYPE_E_ELEMENTNOTFOUND;
        text = member->name;
    }
    if (doc) *doc = nullptr;
    if (helpFile) *helpFile = nullptr;
    if (helpContext) *helpContext = 0;
    return GiveText(name, text);
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) {
    return TYPE_E_BADMODULEKIND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetRefTypeInfo(HREFTYPE, ITypeInfo** info) {
    if (info) *info = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::AddressOfMember(MEMBERID, INVOKEKIND, PVOID* address) {
    if (address) *address = nullptr;
    return TYPE_E_BADMODULEKIND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::CreateInstance(IUnknown*, REFIID, PVOID* object) {
    if (object) *object = nullptr;
    return TYPE_E_WRONGTYPEKIND;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetMops(MEMBERID, BSTR* mops) {
    if (mops) *mops = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeTypeInfo::GetContainingTypeLib(ITypeLib** library, UINT* index) {
    if (library) *library = nullptr;
    if (index) *index = 0;
    return E_NOTIMPL;
}

}  // namespace brackwell::win
