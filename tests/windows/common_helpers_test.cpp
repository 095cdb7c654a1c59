// The small COM helpers: text conversion, owners of VARIANTs and interface
// references, typed reads, and the error mapping in both directions.

#include <gtest/gtest.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/common/variant.h"
#include "adapters/windows/common/variant_convert.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::win::test {
namespace {

TEST(Utf, SheetNamesRoundTripThroughUtf16) {
    for (const std::string name : {"Ölpreise 2024 ß", "Daten 😀", ""}) EXPECT_EQ(WideToUtf8(Utf8ToWide(name)), name);
    EXPECT_EQ(Utf8ToWide("Ü売上😀"), L"\u00DC\u58F2\u4E0A\U0001F600");
}

// An interface method of ours: says through ISupportErrorInfo whether it
// leaves error information. Offers no IDispatch.
class Guarded final : public ComObject<ISupportErrorInfo> {
public:
    explicit Guarded(bool supports = true) : supports_(supports) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ISupportErrorInfo)) return E_NOINTERFACE;
        *out = static_cast<ISupportErrorInfo*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return supports_ ? S_OK : S_FALSE; }
    HRESULT Fail(std::function<void()> body) { return ComGuard(IID_IDispatch, L"Brackwell", std::move(body)); }

private:
    bool supports_;
};

TEST(ReferenceOwners, CopiesAddAReferenceMovesDoNotAndDestructionReleases) {
    ComPtr<Guarded> first = MakeComObject<Guarded>();
    ASSERT_EQ(ReferenceCount(first.Get()), 1u);
    {
        ComPtr<Guarded> second = first;
        EXPECT_EQ(ReferenceCount(first.Get()), 2u);
        ComPtr<Guarded> third = std::move(second);
        EXPECT_FALSE(second);
        EXPECT_EQ(ReferenceCount(first.Get()), 2u);
        auto unknown = third.Query<IUnknown>();
        EXPECT_EQ(ReferenceCount(first.Get()), 3u);

        const Variant held = Variant::Unknown(unknown);
        EXPECT_EQ(ReferenceCount(first.Get()), 4u);
        Variant copy = held;
        EXPECT_EQ(ReferenceCount(first.Get()), 5u);
        Variant moved = std::move(copy);
        EXPECT_EQ(copy.Type(), VT_EMPTY);
        EXPECT_EQ(ReferenceCount(first.Get()), 5u);
    }
    EXPECT_EQ(ReferenceCount(first.Get()), 1u);
}

TEST(VariantConvert, ReadsValuesTheWayVbAssignsThemAndRefusesWhatVbWouldRefuse) {
    EXPECT_EQ(ToInt32(Variant::Text("42").Get()), 42);
    EXPECT_EQ(ToInt32(Number(VT_R8, 3).Get()), 3);
    EXPECT_EQ(ToInt32(Variant::Bool(true).Get()), -1);
    EXPECT_TRUE(ToBool(Variant::Text("True").Get()));
    EXPECT_EQ(ToUtf8(Variant::Bool(false).Get()), "False");  // CStr, not "0"
    Variant text = Variant::Text("売上");
    EXPECT_EQ(ToUtf8(ByRef(text).Get()), "売上");
    EXPECT_FALSE(ToObject(Variant::Object(nullptr).Get()));  // Nothing

    const Variant unknown = Variant::Unknown(MakeComObject<Guarded>().Query<IUnknown>());
    EXPECT_EQ(ErrorOf([&] { ToUtf8(unknown.Get()); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { ToInt32(Variant::Text("zwölf").Get()); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { ToObject(Variant::Text("Mappe1").Get()); }).Number(), err::kTypeMismatch);
    // No IDispatch: not an object a late-bound caller can use.
    EXPECT_EQ(ErrorOf([&] { ToObject(unknown.Get()); }).Number(), err::kTypeMismatch);
    Variant null;
    V_VT(null.Receive()) = VT_NULL;
    EXPECT_EQ(ErrorOf([&] { ToInt32(null.Get()); }).Number(), err::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { ToInt32(Variant::Text("99999999999").Get()); }).Number(), err::kOverflow);
}

TEST(ErrorMapping, ControlFacilityCodesAreVbNumbersOthersStaySigned) {
    EXPECT_EQ(NumberFromScode(static_cast<HRESULT>(0x800A03EC)), 1004);
    EXPECT_EQ(NumberFromScode(static_cast<HRESULT>(0x800401A8)), err::kDisconnected);
    EXPECT_EQ(NumberFromScode(E_FAIL), -2147467259);
    // The dispatch failures VB reports under its own numbers.
    EXPECT_EQ(NumberFromScode(DISP_E_UNKNOWNNAME), err::kNotSupported);
    EXPECT_EQ(NumberFromScode(DISP_E_MEMBERNOTFOUND), err::kNotSupported);
    EXPECT_EQ(NumberFromScode(DISP_E_TYPEMISMATCH), err::kTypeMismatch);
    EXPECT_EQ(NumberFromScode(DISP_E_BADPARAMCOUNT), 450);

    EXPECT_EQ(ScodeFromNumber(65535), static_cast<HRESULT>(0x800AFFFF));
    EXPECT_EQ(ScodeFromNumber(err::kDisconnected), static_cast<HRESULT>(0x800401A8));
    EXPECT_EQ(ScodeFromNumber(70000), 70000);
    EXPECT_EQ(FailureFromNumber(70000), E_FAIL);  // would read as success
    for (const std::int32_t number : {5, 9, 13, 438, 1004, 35601, 65535, err::kDisconnected})
        EXPECT_EQ(NumberFromScode(ScodeFromNumber(number)), number);
}

// A server that leaves its EXCEPINFO to be filled in when asked.
HRESULT WINAPI FillInDisconnected(EXCEPINFO* info) {
    info->scode = static_cast<HRESULT>(0x800401A8);
    info->bstrDescription = SysAllocString(L"Objekt getrennt");
    return S_OK;
}

TEST(ErrorMapping, ExcepInfoCarriesNumberSourceAndTextBothWaysAndRunsTheDeferredFillIn) {
    ExcepInfo info;
    FillExcepInfo(*info.Receive(), AutomationError(1004, "Ungültiger Name: 売上?"), L"Microsoft Excel");
    EXPECT_EQ(info.Get().scode, static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(BstrView(info.Get().bstrSource), L"Microsoft Excel");
    AutomationError error = ErrorFromExcepInfo(info.Get());
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_EQ(error.Description(), "Ungültiger Name: 売上?");

    info.Receive()->wCode = 9;  // the other way a server may give a number
    EXPECT_EQ(ErrorFromExcepInfo(info.Get()).Number(), 9);
    EXPECT_EQ(ErrorFromExcepInfo(info.Get()).Description(), StandardDescription(9));

    info.Receive()->pfnDeferredFillIn = FillInDisconnected;
    error = ErrorFromExcepInfo(info.Get());
    EXPECT_EQ(error.Number(), err::kDisconnected);
    EXPECT_EQ(error.Description(), "Objekt getrennt");
}

TEST(ComGuard, AnyExceptionBecomesAFailureCodeWithErrorInfoReadOnlyWhereOffered) {
    auto object = MakeComObject<Guarded>(true);
    HRESULT hr = object->Fail([] { Raise(1004, "Ungültiger Blattname"); });
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A03EC));
    AutomationError error = ErrorFromFailedCall(hr, object.Get(), IID_IDispatch);
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_EQ(error.Description(), "Ungültiger Blattname");

    hr = object->Fail([] { throw std::runtime_error("kaputt"); });
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(ErrorFromFailedCall(hr, object.Get(), IID_IDispatch).Description(), "Interner Fehler: kaputt");
    EXPECT_EQ(object->Fail([] {}), S_OK);

    // An object that does not say it sets error information is not believed.
    auto silent = MakeComObject<Guarded>(false);
    hr = silent->Fail([] { Raise(1004, "Nur für Objekte mit Fehlerinformation"); });
    error = ErrorFromFailedCall(hr, silent.Get(), IID_IDispatch);
    EXPECT_EQ(error.Number(), 1004);
    EXPECT_NE(error.Description(), "Nur für Objekte mit Fehlerinformation");
}

}  // namespace
}  // namespace brackwell::win::test
