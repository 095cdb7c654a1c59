// The navigator docked in a host window and kept current by the host's
// events, all through the DLL's IDispatch and the host's automation facade:
// the tree is read back from the real tree control in the "EXCEL2" dock.

#include <gtest/gtest.h>

#include <algorithm>

#include "adapters/windows/facade/application_facade.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

using Items = std::vector<std::wstring>;

Items WithSheetAdded(Items items, const std::wstring& workbook, const std::wstring& sheet) {
    auto at = std::find(items.begin(), items.end(), workbook);
    ++at;
    while (at != items.end() && at->rfind(L"  ", 0) == 0) ++at;
    items.insert(at, L"  " + sheet);
    return items;
}

TEST_F(NavigatorTest, CreateNavBarDocksThePaneAndShowsTheHostsWorkbooks) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    EXPECT_EQ(Tree(), Items{}) << "no pane before CreateNavBar";

    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
    EXPECT_EQ(Tree(), UmsatzItems());
    EXPECT_TRUE(excel.FindCommandBar("BrackwellBar").has_value());
    ASSERT_NE(window.PaneTree(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window.PaneTree()));

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
    EXPECT_EQ(window.PaneTree(), nullptr);
    EXPECT_FALSE(excel.FindCommandBar("BrackwellBar").has_value());
}

TEST_F(NavigatorTest, HostEventsRebuildTheTree) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);

    // Another client adds a workbook: NewWorkbook and WorkbookActivate arrive.
    ASSERT_EQ(Call(Reach({L"Workbooks"}).Get(), L"Add").hr, S_OK);
    const Items afterAdd = Tree();
    ASSERT_EQ(afterAdd.size(), 8u);
    EXPECT_EQ(afterAdd[4], L"Mappe1");

    // Activating the first workbook again: WorkbookDeactivate, WorkbookActivate.
    ComPtr<IDispatch> umsatz = ObjectOf(Get(Reach({L"Workbooks"}).Get(), L"Item", Args(Variant::Text("Umsatz.xlsx"))));
    ASSERT_TRUE(umsatz);
    ASSERT_EQ(Call(umsatz.Get(), L"Activate").hr, S_OK);
    EXPECT_EQ(Tree(), afterAdd);

    // A sheet added without any event shows only after a rebuild, which
    // activating another sheet brings (SheetActivate).
    excel.AddWorksheet(book, "Nachtrag");
    EXPECT_EQ(Tree(), afterAdd);
    ComPtr<IDispatch> daten =
        ObjectOf(Get(ObjectOf(Get(umsatz.Get(), L"Worksheets")).Get(), L"Item", Args(Variant::Text("Daten"))));
    ASSERT_TRUE(daten);
    ASSERT_EQ(Call(daten.Get(), L"Activate").hr, S_OK);
    EXPECT_EQ(Tree(), WithSheetAdded(afterAdd, L"Umsatz.xlsx", L"Nachtrag"));

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

TEST_F(NavigatorTest, QueuedHostEventsArriveThroughTheMessageLoop) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
    excel.SetDeferEvents(true);

    ASSERT_EQ(Call(Reach({L"Workbooks"}).Get(), L"Add").hr, S_OK);
    EXPECT_EQ(window.TreeItems(), UmsatzItems()) << "nothing happens before the messages run";
    EXPECT_EQ(Tree().size(), 8u) << "the pump ran the queued events and the tree was rebuilt";

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

TEST_F(NavigatorTest, UpdateTreeTakesBClearByValueByReferenceOrNotAtAll) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
    const Items full = UmsatzItems();

    auto updateTree = [&](std::vector<Variant> args) {
        const CallResult result = Call(nav.Get(), L"UpdateTree", std::move(args));
        EXPECT_EQ(result.hr, S_OK) << result.description;
        return Tree();
    };

    // nav.UpdateTree True: a literal, by value.
    EXPECT_EQ(updateTree(Args(Variant::Bool(true))), Items{});
    // nav.UpdateTree: omitted means False.
    EXPECT_EQ(updateTree({}), full);
    // VBA: a Boolean variable, VT_BOOL by reference.
    VARIANT_BOOL clear = VARIANT_TRUE;
    EXPECT_EQ(updateTree(Args(BoolByRef(clear))), Items{});
    EXPECT_EQ(clear, VARIANT_TRUE) << "the by-reference value is left as it was";
    // VBScript: x = False : nav.UpdateTree x, a Variant by reference.
    Variant x = Variant::Bool(false);
    EXPECT_EQ(updateTree(Args(ByRef(x))), full);
    EXPECT_EQ(x.Type(), VT_BOOL);
    x = Variant::Bool(true);
    EXPECT_EQ(updateTree(Args(ByRef(x))), Items{});
    // Omitted the way VB passes a missing optional argument.
    EXPECT_EQ(updateTree(Args(Variant::Missing())), full);
    // Anything VariantChangeType turns into a Boolean.
    EXPECT_EQ(updateTree(Args(Variant::Text("True"))), Items{});
    EXPECT_EQ(updateTree(Args(Variant::Int32(0))), full);
    Variant minusOne = Variant::Int32(-1);
    EXPECT_EQ(updateTree(Args(ByRef(minusOne))), Items{});
    EXPECT_EQ(updateTree(Args(Variant::Text("0"))), full);

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

TEST_F(NavigatorTest, HostWithoutEventsIsKeptAndUsedAndTheMissingEventsAreReported) {
    ComPtr<IDispatch> silentApp = MakeApplicationFacade(excel.App(), FacadeOptions{false});
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);

    TakeErrorInfo();  // start from a clean slate
    const CallResult set = PutRef(nav.Get(), L"mExcel", Variant::Object(silentApp));
    EXPECT_EQ(set.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(set.scode, static_cast<HRESULT>(0x800A01CB)) << "error 459: no events";
    EXPECT_NE(set.description.find("AppEvents"), std::string::npos) << set.description;
    EXPECT_EQ(set.source, L"Brackwell.Wayfinder");
    EXPECT_EQ(TakeErrorInfo(), set.description) << "IErrorInfo says the same";
    EXPECT_EQ(ObjectOf(Get(nav.Get(), L"mExcel")).Query<IUnknown>(), silentApp.Query<IUnknown>())
        << "the host is kept all the same";

    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
    EXPECT_EQ(Tree(), UmsatzItems());
    // No events: a new workbook shows only when the host side asks.
    ASSERT_EQ(Call(ObjectOf(Get(silentApp.Get(), L"Workbooks")).Get(), L"Add").hr, S_OK);
    EXPECT_EQ(Tree(), UmsatzItems());
    ASSERT_EQ(Call(nav.Get(), L"UpdateTree").hr, S_OK);
    EXPECT_EQ(Tree().size(), 8u);

    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

TEST_F(NavigatorTest, NavigatorsShareOneComponentWithItsPane) {
    ComPtr<IDispatch> first = CreateNavigator();
    ComPtr<IDispatch> second = CreateNavigator();
    ASSERT_TRUE(first && second);
    Attach(first.Get(), app.Get());
    ASSERT_EQ(Call(first.Get(), L"CreateNavBar").hr, S_OK);
    HWND tree = window.PaneTree();
    ASSERT_NE(tree, nullptr);
    HWND pane = GetAncestor(tree, GA_PARENT);
    while (pane && GetParent(pane) != window.Dock()) pane = GetParent(pane);
    ASSERT_NE(pane, nullptr);

    // The second navigator never docked a pane, yet its SizeOn fits the one
    // the first docked: the pane values are the component's, not a navigator's.
    MoveWindow(window.Dock(), 0, 30, 240, 500, TRUE);
    ASSERT_EQ(Call(second.Get(), L"SizeOn").hr, S_OK);
    PumpMessages();
    RECT r{};
    GetWindowRect(pane, &r);
    EXPECT_EQ(r.bottom - r.top, 500 - 5 - 38);

    ASSERT_EQ(Call(first.Get(), L"DelNavBar").hr, S_OK);
}

}  // namespace
}  // namespace brackwell::win::test
