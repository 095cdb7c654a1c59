// Member names are asked for once per type of host object: objects of one
// type (same ITypeInfo GUID) share the answers; objects without type
// information keep their own.

#include <gtest/gtest.h>

#include "adapters/windows/automation/late_bound.h"
#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/variant_convert.h"
#include "tests/windows/com_test_support.h"

namespace brackwell::win::testing {
namespace {

// The type information a host object gives: only its GUID matters here.
class FakeTypeInfo final : public ComObject<ITypeInfo> {
public:
    explicit FakeTypeInfo(GUID guid) : guid_(guid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ITypeInfo)) return E_NOINTERFACE;
        *out = static_cast<ITypeInfo*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** out) override {
        attributes_ = TYPEATTR{};
        attributes_.guid = guid_;
        *out = &attributes_;
        return S_OK;
    }
    void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR*) override {}
    HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID, BSTR*, BSTR*, DWORD*, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
    void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
    void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

private:
    GUID guid_;
    TYPEATTR attributes_{};
};

// A host object with one member, Name (DISPID 110), that counts how often its
// names are asked for.
class NamedObject final : public ComObject<IDispatch> {
public:
    NamedObject(std::wstring name, int& lookups, const GUID* type)
        : name_(std::move(name)), lookups_(lookups), type_(type) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = type_ ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        if (!type_) return DISP_E_BADINDEX;
        *out = MakeComObject<FakeTypeInfo>(*type_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID locale, DISPID* ids) override {
        ++lookups_;
        EXPECT_EQ(locale, 1033u);
        if (std::wstring_view(names[0]) != L"Name") return DISP_E_UNKNOWNNAME;
        ids[0] = 110;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        EXPECT_EQ(locale, 1033u);
        EXPECT_EQ(flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
        if (id != 110) return DISP_E_MEMBERNOTFOUND;
        Variant::Text(std::wstring_view(name_)).DetachTo(result);
        return S_OK;
    }

private:
    std::wstring name_;
    int& lookups_;
    const GUID* type_;
};

constexpr GUID kWorksheetType = {0x000208D8, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

TEST(DispIdCache, ObjectsOfOneTypeShareTheirDispids) {
    int lookups = 0;
    auto registry = std::make_shared<DispIdRegistry>();
    const LateBound first(ComPtr<IDispatch>(MakeComObject<NamedObject>(L"Übersicht", lookups, &kWorksheetType).Get()), registry);
    const LateBound second(ComPtr<IDispatch>(MakeComObject<NamedObject>(L"売上", lookups, &kWorksheetType).Get()), registry);
    EXPECT_EQ(ToUtf8(first.Get(L"Name").Get()), "Übersicht");
    EXPECT_EQ(ToUtf8(second.Get(L"Name").Get()), "売上");
    EXPECT_EQ(ToUtf8(second.Get(L"Name").Get()), "売上");
    EXPECT_EQ(lookups, 1);
}

TEST(DispIdCache, ObjectsWithoutTypeInformationAskOnceEach) {
    int lookups = 0;
    auto registry = std::make_shared<DispIdRegistry>();
    const LateBound first(ComPtr<IDispatch>(MakeComObject<NamedObject>(L"a", lookups, nullptr).Get()), registry);
    const LateBound second(ComPtr<IDispatch>(MakeComObject<NamedObject>(L"b", lookups, nullptr).Get()), registry);
    first.Get(L"Name");
    first.Get(L"Name");
    second.Get(L"Name");
    EXPECT_EQ(lookups, 2);
}

TEST(DispIdCache, AnUnknownNameIsError438AndIsAskedAgainNextTime) {
    int lookups = 0;
    const LateBound object(ComPtr<IDispatch>(MakeComObject<NamedObject>(L"a", lookups, nullptr).Get()),
                           std::make_shared<DispIdRegistry>());
    EXPECT_EQ(ErrorOf([&] { object.Get(L"ProtectContents"); }).Number(), err::kNotSupported);
    EXPECT_EQ(ErrorOf([&] { object.Get(L"ProtectContents"); }).Description(),
              StandardDescription(err::kNotSupported));
    EXPECT_EQ(lookups, 2);
}

// A host object whose every member answers with the same text.
class TextEverywhere final : public ComObject<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        ids[0] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (result) Variant::Text("Mappe1").DetachTo(result);
        return S_OK;
    }
};

TEST(HostResults, AResultOfTheWrongTypeIsATypeMismatch) {
    const ApplicationPtr client = WrapApplication(MakeComObject<TextEverywhere>().Get());
    EXPECT_EQ(client->Version(), "Mappe1");
    EXPECT_EQ(ErrorOf([&] { client->Workbooks(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { client->Hwnd(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { client->ActiveWorkbook()->Name(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(client->GetOpenFilename(false), FileChoice(std::string("Mappe1")));  // one file name is an answer
}

}  // namespace
}  // namespace brackwell::win::testing
