#pragma once
// The type information a facade object gives through IDispatch::GetTypeInfo,
// as the host's objects give theirs: the interface's name and GUID from the
// host's type library (so a client that keys what it learns about members by
// that GUID treats every facade worksheet as one type, as it treats the
// host's), member names and DISPIDs. It describes no functions or variables
// in detail. One static instance per facade class, living as long as the
// module; its reference count is not kept.

#include <windows.h>

#include <oaidl.h>

#include <span>

#include "excel_standin/facade/excel_interfaces.h"
#include "excel_standin/facade/facade_object.h"

namespace brackwell::win {

class FacadeTypeInfo final : public ITypeInfo {
public:
    FacadeTypeInfo(const wchar_t* name, const GUID& guid, std::span<const MemberInfo> members) noexcept;

    std::span<const MemberInfo> Members() const noexcept { return members_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // ITypeInfo
    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attributes) override;
    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** comp) override;
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT index, FUNCDESC** desc) override;
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT index, VARDESC** desc) override;
    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* type) override;
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(PVOID instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                               BSTR* helpFile) override;
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID id, INVOKEKIND kind, BSTR* dll, BSTR* name,
                                          WORD* ordinal) override;
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE type, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID id, INVOKEKIND kind, PVOID* address) override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, PVOID* object) override;
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID id, BSTR* mops) override;
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** library, UINT* index) override;
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR*) override {}  // ours, not the caller's
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

private:
    const MemberInfo* Find(MEMBERID id) const noexcept;

    const wchar_t* name_;
    std::span<const MemberInfo> members_;
    TYPEATTR attributes_;
};

// The one type information of a facade class: the host interface `declared` with the class's
// `members`, made on first use.
template <class Facade>
FacadeTypeInfo& TypeInfoOf(const excel::Interface& declared, std::span<const MemberInfo> members) {
    static FacadeTypeInfo type(declared.name, declared.guid, members);
    return type;
}

// Late binding's name look-up over a member table: DISPIDs of `names[0]`
// (without case); further names would be named arguments, which the facade
// does not take.
HRESULT IdsOfNames(std::span<const MemberInfo> members, LPOLESTR* names, UINT count, DISPID* ids) noexcept;

}  // namespace brackwell::win
