// Member names are asked for once per type of host object: objects of one
// type (same ITypeInfo GUID) share the answers; objects without type
// information keep their own. And results of the wrong type are mismatches.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include "adapters/windows/automation/late_bound.h"
#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/variant_convert.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::win::test {
namespace {

// Real type information with a GUID of its own: IDispatch's, from OLE's standard library.
ComPtr<ITypeInfo> SomeType() {
    ComPtr<ITypeLib> library;
    ComPtr<ITypeInfo> type;
    EXPECT_EQ(LoadTypeLib(L"stdole2.tlb", library.Receive()), S_OK);
    if (library) library->GetTypeInfoOfGuid(IID_IDispatch, type.Receive());
    return type;
}

// What a host object was asked: how often for names, and the flags of the last call.
struct Asked {
    int lookups = 0;
    WORD flags = 0;
};

// A host object that answers every member with its text, but does not know
// "ProtectContents".
class HostObject final : public ComObject<IDispatch> {
public:
    HostObject(std::wstring text, Asked& asked, ComPtr<ITypeInfo> type = {})
        : text_(std::move(text)), asked_(asked), type_(std::move(type)) {}

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
        *out = ComPtr<ITypeInfo>(type_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID locale, DISPID* ids) override {
        ++asked_.lookups;
        EXPECT_EQ(locale, 1033u);
        if (std::wstring_view(names[0]) == L"ProtectContents") return DISP_E_UNKNOWNNAME;
        ids[0] = 110;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID locale, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        EXPECT_EQ(locale, 1033u);
        asked_.flags = flags;
        if (result) Variant::Text(std::wstring_view(text_)).DetachTo(result);
        return S_OK;
    }

private:
    std::wstring text_;
    Asked& asked_;
    ComPtr<ITypeInfo> type_;
};

LateBound Bound(const wchar_t* text, Asked& asked, ComPtr<ITypeInfo> type,
                const std::shared_ptr<DispIdRegistry>& registry) {
    return LateBound(ComPtr<IDispatch>(MakeComObject<HostObject>(text, asked, std::move(type)).Get()), registry);
}

TEST(DispIdCache, ObjectsOfOneTypeShareTheirDispidsOthersAskOnceEachAndUnknownNamesAreAskedAgain) {
    const ComPtr<ITypeInfo> sheetType = SomeType();
    ASSERT_TRUE(sheetType);
    Asked asked;
    auto registry = std::make_shared<DispIdRegistry>();
    const LateBound first = Bound(L"Übersicht", asked, sheetType, registry);
    const LateBound second = Bound(L"売上", asked, sheetType, registry);
    EXPECT_EQ(ToUtf8(first.Get(L"Name").Get()), "Übersicht");
    EXPECT_EQ(ToUtf8(second.Get(L"Name").Get()), "売上");
    EXPECT_EQ(ToUtf8(second.Get(L"Name").Get()), "売上");
    EXPECT_EQ(asked.lookups, 1);
    // Hosts want the property flag as well for a get (collections need it).
    EXPECT_EQ(asked.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);

    Asked untypedAsked;
    const LateBound untyped = Bound(L"a", untypedAsked, {}, registry);
    const LateBound other = Bound(L"b", untypedAsked, {}, registry);
    untyped.Get(L"Name");
    untyped.Get(L"Name");
    other.Get(L"Name");
    EXPECT_EQ(untypedAsked.lookups, 2);
    EXPECT_EQ(ErrorOf([&] { untyped.Get(L"ProtectContents"); }).Number(), err::kNotSupported);
    EXPECT_EQ(ErrorOf([&] { untyped.Get(L"ProtectContents"); }).Description(),
              StandardDescription(err::kNotSupported));
    EXPECT_EQ(untypedAsked.lookups, 4);
}

TEST(HostResults, AResultOfTheWrongTypeIsATypeMismatch) {
    Asked asked;
    const ApplicationPtr client = WrapApplication(MakeComObject<HostObject>(L"Mappe1", asked).Get());
    EXPECT_EQ(client->Version(), "Mappe1");
    EXPECT_EQ(ErrorOf([&] { client->Workbooks(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { client->Hwnd(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { client->ActiveWorkbook()->Name(); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(client->GetOpenFilename(false), FileChoice(std::string("Mappe1")));  // one file name is an answer
}

}  // namespace
}  // namespace brackwell::win::test
