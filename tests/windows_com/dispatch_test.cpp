// The navigator's IDispatch as VBA and VBScript call it: names found without
// regard to case, mExcel read and written, and every kind of bad call
// answered with the HRESULT a late-bound caller expects, never a crash.

#include <gtest/gtest.h>

#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

TEST_F(NavigatorTest, FindsItsMembersAndTheParameterBClearWithoutRegardToCase) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    // Every member's DISPID is checked against the type library; here the case.
    EXPECT_EQ(IdOf(nav.Get(), L"MEXCEL"), IdOf(nav.Get(), L"mExcel"));
    EXPECT_EQ(IdOf(nav.Get(), L"updateTree"), IdOf(nav.Get(), L"UpdateTree"));
    EXPECT_NE(IdOf(nav.Get(), L"createnavbar"), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(nav.Get(), L"Refresh"), DISPID_UNKNOWN);

    // UpdateTree bClear:=False, as VBA passes a named argument.
    LPOLESTR named[] = {const_cast<LPOLESTR>(L"UpdateTree"), const_cast<LPOLESTR>(L"BCLEAR")};
    DISPID namedIds[2] = {};
    ASSERT_EQ(nav->GetIDsOfNames(IID_NULL, named, 2, 1033, namedIds), S_OK);
    EXPECT_EQ(namedIds[1], 0);
    named[1] = const_cast<LPOLESTR>(L"Clear");
    EXPECT_EQ(nav->GetIDsOfNames(IID_NULL, named, 2, 1033, namedIds), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(namedIds[1], DISPID_UNKNOWN);
    Variant no = Variant::Bool(false);
    DISPID parameter = 0;
    DISPPARAMS params{&no.Get(), &parameter, 1, 1};
    EXPECT_EQ(nav->Invoke(namedIds[0], IID_NULL, 1033, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    parameter = 3;  // a named argument that names no parameter
    EXPECT_EQ(nav->Invoke(namedIds[0], IID_NULL, 1033, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTFOUND);
}

// Nothing before the first write, and the host after Set: the script client.
TEST_F(NavigatorTest, GivesBackTheHostItWasGivenHoweverItCame) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    const auto heldHost = [&] { return Identity(ObjectOf(Get(nav.Get(), L"mExcel")).Get()); };
    Attach(nav.Get(), app.Get());
    // Set with Nothing lets the host go; Let with an object (VB without Set),
    // an IUnknown that offers IDispatch and a variable by reference are taken too.
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", Variant::Object({})).hr, S_OK);
    EXPECT_FALSE(heldHost());
    EXPECT_EQ(Put(nav.Get(), L"mExcel", Variant::Object(app)).hr, S_OK);
    EXPECT_EQ(heldHost(), Identity(app.Get()));
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", Variant::Unknown(Identity(app.Get()))).hr, S_OK);
    EXPECT_EQ(heldHost(), Identity(app.Get()));
    Variant variable = Variant::Object(app);
    EXPECT_EQ(PutRef(nav.Get(), L"mExcel", ByRef(variable)).hr, S_OK);
    EXPECT_EQ(heldHost(), Identity(app.Get()));
}

TEST_F(NavigatorTest, WritingMExcelAgainReplacesTheEventConnection) {
    ComPtr<IDispatch> nav = DockedNavigator();
    ASSERT_TRUE(nav);
    for (int i = 0; i < 2; ++i) Attach(nav.Get(), app.Get());
    ComPtr<IDispatch> daten =
        ObjectOf(Get(Reach({L"ActiveWorkbook", L"Worksheets"}).Get(), L"Item", Args(Variant::Text("Daten"))));
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

TEST_F(NavigatorTest, AnswersBadCallsWithTheHresultsALateBoundCallerExpects) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    IDispatch* n = nav.Get();
    for (const CallResult& miscounted :
         {Call(n, L"SizeOn", Args(Variant::Int32(1))), Call(n, L"UpdateTree", Args(Variant::Bool(true), Variant::Bool(true))),
          Call(n, L"CreateLink"), Get(n, L"mExcel", Args(Variant::Int32(1))),
          InvokeId(n, IdOf(n, L"mExcel"), DISPATCH_PROPERTYPUTREF) /* no value */})
        EXPECT_EQ(miscounted.hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(n, L"CreateLink", Args(Variant::Missing())).hr, DISP_E_PARAMNOTOPTIONAL);

    // A type mismatch names the argument, and a refused write stores nothing.
    for (const CallResult& refused : {Call(n, L"UpdateTree", Args(Variant::Text("ja"))),
                                      Call(n, L"CreateLink", Args(Variant::Int32(5))),
                                      PutRef(n, L"mExcel", Variant::Text("Excel.Application"))}) {
        EXPECT_EQ(refused.hr, DISP_E_TYPEMISMATCH);
        EXPECT_EQ(refused.argError, 0u);
    }
    Variant null;
    V_VT(null.Receive()) = VT_NULL;
    EXPECT_EQ(Call(n, L"UpdateTree", Args(null)).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(n, L"UpdateTree", Args(Variant::Object(app))).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Put(n, L"mExcel", Variant::Int32(12)).hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(V_DISPATCH(&Get(n, L"mExcel").value.Get()), nullptr);

    EXPECT_EQ(InvokeId(n, 77, DISPATCH_METHOD).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(InvokeId(n, DISPID_VALUE, DISPATCH_PROPERTYGET).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put(n, L"SizeOn", Variant::Bool(true)).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(n, L"mExcel").hr, DISP_E_MEMBERNOTFOUND) << "mExcel is a property, not a method";
    DISPPARAMS none{};
    EXPECT_EQ(n->Invoke(IdOf(n, L"SizeOn"), IID_IDispatch, 1033, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    // Methods need no DISPPARAMS at all.
    EXPECT_EQ(n->Invoke(IdOf(n, L"SizeOn"), IID_NULL, 1033, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
}

}  // namespace
}  // namespace brackwell::win::test
