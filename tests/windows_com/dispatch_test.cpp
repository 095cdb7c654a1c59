// The navigator's IDispatch as VBA and VBScript call it: names found without
// regard to case, mExcel read and written, and every kind of bad call
// answered with the HRESULT a late-bound caller expects, never a crash.

#include <gtest/gtest.h>

#include <algorithm>

#include "adapters/windows/common/com_ptr.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

ComPtr<IUnknown> IdentityOf(IDispatch* object) { return ComPtr<IDispatch>(object).Query<IUnknown>(); }

Variant Text(const wchar_t* text) { return Variant::Text(std::wstring_view(text)); }

TEST_F(NavigatorTest, FindsItsMembersByNameWithoutRegardToCase) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    const std::pair<const wchar_t*, const wchar_t*> sameMembers[] = {
        {L"mExcel", L"MEXCEL"},       {L"SizeOn", L"sizeon"},         {L"CreateNavBar", L"createnavbar"},
        {L"DelNavBar", L"DELNAVBAR"}, {L"UpdateTree", L"updateTree"}, {L"CreateLink", L"CREATELINK"}};
    std::vector<DISPID> ids;
    for (const auto& [name, otherCase] : sameMembers) {
        const DISPID id = IdOf(nav.Get(), name);
        EXPECT_NE(id, DISPID_UNKNOWN) << name;
        EXPECT_EQ(IdOf(nav.Get(), otherCase), id) << otherCase;
        ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end()) << "two members share a DISPID";

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Refresh")};
    DISPID id = 0;
    EXPECT_EQ(nav->GetIDsOfNames(IID_NULL, unknown, 1, 1033, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST_F(NavigatorTest, NamesTheParameterOfUpdateTreeForNamedArguments) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    LPOLESTR named[] = {const_cast<LPOLESTR>(L"UpdateTree"), const_cast<LPOLESTR>(L"BCLEAR")};
    DISPID ids[2] = {};
    ASSERT_EQ(nav->GetIDsOfNames(IID_NULL, named, 2, 1033, ids), S_OK);
    EXPECT_EQ(ids[1], 0);
    LPOLESTR wrong[] = {const_cast<LPOLESTR>(L"UpdateTree"), const_cast<LPOLESTR>(L"Clear")};
    EXPECT_EQ(nav->GetIDsOfNames(IID_NULL, wrong, 2, 1033, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);

    // UpdateTree bClear:=False runs.
    Variant no = Variant::Bool(false);
    DISPID parameter = 0;
    DISPPARAMS params{&no.Get(), &parameter, 1, 1};
    UINT argError = 0;
    EXPECT_EQ(nav->Invoke(ids[0], IID_NULL, 1033, DISPATCH_METHOD, &params, nullptr, nullptr, &argError), S_OK);
    // A named argument that names no parameter.
    parameter = 3;
    EXPECT_EQ(nav->Invoke(ids[0], IID_NULL, 1033, DISPATCH_METHOD, &params, nullptr, nullptr, &argError),
              DISP_E_PARAMNOTFOUND);
}

TEST_F(NavigatorTest, GivesBackTheHostItWasGivenAndNothingBefore) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    CallResult before = Get(nav.Get(), L"mExcel");
    ASSERT_EQ(before.hr, S_OK);
    EXPECT_EQ(before.value.Type(), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(&before.value.Get()), nullptr) << "Nothing before the first write";

    Attach(nav.Get(), app.Get());
    EXPECT_EQ(IdentityOf(ObjectOf(Get(nav.Get(), L"mExcel")).Get()), IdentityOf(app.Get()));

    // Set with Nothing lets the host go; Let with an object (VB without Set)
    // and an IUnknown that offers IDispatch are taken as well.
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", Variant::Object({})).hr, S_OK);
    CallResult released = Get(nav.Get(), L"mExcel");
    EXPECT_EQ(V_DISPATCH(&released.value.Get()), nullptr);
    EXPECT_EQ(Put(nav.Get(), L"mExcel", Variant::Object(app)).hr, S_OK);
    EXPECT_EQ(IdentityOf(ObjectOf(Get(nav.Get(), L"mExcel")).Get()), IdentityOf(app.Get()));
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", Variant::Unknown(IdentityOf(app.Get()))).hr, S_OK);
    EXPECT_EQ(IdentityOf(ObjectOf(Get(nav.Get(), L"mExcel")).Get()), IdentityOf(app.Get()));
    // Written through a variable, as VBScript passes it.
    Variant variable = Variant::Object(app);
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", ByRef(variable)).hr, S_OK);
    EXPECT_EQ(IdentityOf(ObjectOf(Get(nav.Get(), L"mExcel")).Get()), IdentityOf(app.Get()));
}

TEST_F(NavigatorTest, WritingMExcelAgainReplacesTheEventConnection) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    for (int i = 0; i < 3; ++i) Attach(nav.Get(), app.Get());
    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
    ComPtr<IDispatch> daten = ObjectOf(Get(Reach({L"ActiveWorkbook", L"Worksheets"}).Get(), L"Item",
                                           Args(Variant::Text("Daten"))));
    ASSERT_TRUE(daten);

    // The host calls of one rebuild...
    excel.ResetCalls();
    ASSERT_EQ(Call(nav.Get(), L"UpdateTree").hr, S_OK);
    const int oneRebuild = excel.TotalCalls();
    ASSERT_GT(oneRebuild, 0);
    // ...and of one SheetActivate event: one rebuild, not one per write.
    excel.ResetCalls();
    ASSERT_EQ(Call(daten.Get(), L"Activate").hr, S_OK);
    PumpMessages();
    EXPECT_EQ(excel.TotalCalls() - excel.Calls("Sheet.Activate"), oneRebuild);

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

TEST_F(NavigatorTest, RefusesWrongArgumentCounts) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    for (const wchar_t* name : {L"SizeOn", L"CreateNavBar", L"DelNavBar"})
        EXPECT_EQ(Call(nav.Get(), name, Args(Variant::Int32(1))).hr, DISP_E_BADPARAMCOUNT) << name;
    EXPECT_EQ(Call(nav.Get(), L"UpdateTree", Args(Variant::Bool(true), Variant::Bool(true))).hr,
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(nav.Get(), L"CreateLink").hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(nav.Get(), L"CreateLink", Args(Variant::Object(app), Variant::Object(app))).hr,
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Get(nav.Get(), L"mExcel", Args(Variant::Int32(1))).hr, DISP_E_BADPARAMCOUNT);
    // A put carries exactly one value.
    EXPECT_EQ(InvokeId(nav.Get(), IdOf(nav.Get(), L"mExcel"), DISPATCH_PROPERTYPUTREF).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(nav.Get(), L"CreateLink", Args(Variant::Missing())).hr, DISP_E_PARAMNOTOPTIONAL);
}

TEST_F(NavigatorTest, RefusesValuesOfTheWrongTypeNamingTheArgument) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    CallResult text = Call(nav.Get(), L"UpdateTree", Args(Text(L"ja")));
    EXPECT_EQ(text.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text.argError, 0u);
    Variant null;
    V_VT(null.Receive()) = VT_NULL;
    EXPECT_EQ(Call(nav.Get(), L"UpdateTree", Args(null)).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(nav.Get(), L"UpdateTree", Args(Variant::Object(app))).hr, DISP_E_TYPEMISMATCH);

    CallResult number = Call(nav.Get(), L"CreateLink", Args(Variant::Int32(5)));
    EXPECT_EQ(number.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(number.argError, 0u);

    CallResult notAnObject = PutRef(nav.Get(), L"mExcel", Text(L"Excel.Application"));
    EXPECT_EQ(notAnObject.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(notAnObject.argError, 0u);
    EXPECT_EQ(Put(nav.Get(), L"mExcel", Variant::Int32(12)).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(V_DISPATCH(&Get(nav.Get(), L"mExcel").value.Get()), nullptr) << "a refused write stores nothing";
}

TEST_F(NavigatorTest, AnswersUnknownDispidsAndWrongCallKinds) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    EXPECT_EQ(InvokeId(nav.Get(), 77, DISPATCH_METHOD).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(InvokeId(nav.Get(), DISPID_VALUE, DISPATCH_PROPERTYGET).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put(nav.Get(), L"SizeOn", Variant::Bool(true)).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(nav.Get(), L"mExcel").hr, DISP_E_MEMBERNOTFOUND) << "mExcel is a property, not a method";

    const GUID notNull = IID_IDispatch;
    DISPPARAMS none{};
    EXPECT_EQ(nav->Invoke(IdOf(nav.Get(), L"SizeOn"), notNull, 1033, DISPATCH_METHOD, &none, nullptr, nullptr,
                          nullptr),
              DISP_E_UNKNOWNINTERFACE);
    // Methods need no DISPPARAMS at all.
    EXPECT_EQ(nav->Invoke(IdOf(nav.Get(), L"SizeOn"), IID_NULL, 1033, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                          nullptr),
              S_OK);
}

}  // namespace
}  // namespace brackwell::win::test
