// The navigator docked in a host window, all through the DLL's IDispatch and
// the host's automation facade: the tree is read back from the real tree
// control in the "EXCEL2" dock.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "adapters/windows/controls/tree_item_text.h"
#include "excel_standin/facade/application_facade.h"
#include "tests/windows_com/navigator_fixture.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

using Items = std::vector<std::wstring>;

TEST_F(NavigatorTest, UpdateTreeTakesBClearByValueByReferenceOrNotAtAll) {
    ComPtr<IDispatch> nav = DockedNavigator();
    ASSERT_TRUE(nav);
    const Items full = UmsatzItems();
    EXPECT_EQ(Tree(), full);
    VARIANT_BOOL vbaTrue = VARIANT_TRUE;  // VBA: a Boolean variable, VT_BOOL by reference
    Variant minusOne = Variant::Int32(-1);
    const std::pair<std::vector<Variant>, bool> forms[] = {
        {Args(Variant::Bool(true)), true},          {{}, false},  // omitted means False
        {Args(Variant::BoolByRef(&vbaTrue)), true}, {Args(Variant::Missing()), false},
        {Args(Variant::Text("True")), true},        {Args(Variant::Int32(0)), false},
        {Args(ByRef(minusOne)), true},              {Args(Variant::Text("0")), false},
    };
    for (std::size_t i = 0; i < std::size(forms); ++i) {
        const CallResult result = Call(nav.Get(), L"UpdateTree", forms[i].first);
        EXPECT_EQ(result.hr, S_OK) << i << ": " << result.description;
        EXPECT_EQ(Tree(), forms[i].second ? Items{} : full) << i;
    }
    EXPECT_EQ(vbaTrue, VARIANT_TRUE) << "the by-reference value is left as it was";
    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

// (The keyboard's presses, the menu then at the node, are the tree view's.)
TEST_F(NavigatorTest, ARightPressShowsTheRealWorksheetMenuAtThePointer) {
    ComPtr<IDispatch> nav = DockedNavigator();
    ASSERT_TRUE(nav);
    PumpMessages();
    const HWND tree = window.PaneTree();
    const POINT at = TreeLabelCentre(tree, L"\u58F2\u4E0A");
    ASSERT_GE(at.x, 0);
    ::SetForegroundWindow(window.Main());

    // What the user sees of the menu, read from its window; then Escape.
    std::vector<std::wstring> captions;
    std::vector<UINT> states;
    bool firstHasPicture = false;
    RECT shownAt{};
    ModalAnswerer answerer(L"#32768", [&](HWND shown) {
        ::GetWindowRect(shown, &shownAt);
        const auto menu = reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t caption[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
            captions.push_back(caption);
            states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
        }
        MENUITEMINFOW first{};
        first.cbSize = sizeof(first);
        first.fMask = MIIM_BITMAP;
        firstHasPicture = ::GetMenuItemInfoW(menu, 0, TRUE, &first) && first.hbmpItem;
        PostKey(shown, VK_ESCAPE);
    });
    MoveMouseTo(at);
    RightButton(true);
    RightButton(false);
    ASSERT_TRUE(PumpUntil([&] { return answerer.Answered(); }));
    PumpMessages();

    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Gehe zu..", L"Umbennen", L"Blattschutz", L"Registerfarbe",
                                                   L"Kopieren", L"Kopieren in neue Mappe",
                                                   L"Verschieben in neue Mappe", L"", L"L\u00F6schen"}));
    ASSERT_EQ(states.size(), 9u);
    EXPECT_FALSE(states[2] & MF_CHECKED);  // not protected
    EXPECT_FALSE(states[3] & MF_GRAYED);   // tab colours: the host is version 12
    EXPECT_TRUE(states[7] & MF_SEPARATOR);
    EXPECT_TRUE(firstHasPicture);
    EXPECT_EQ(shownAt.left, at.x);  // opened at the pointer
    EXPECT_EQ(shownAt.top, at.y);
    EXPECT_EQ(TreeItemText(tree, TreeView_GetSelection(tree)), L"\u58F2\u4E0A");  // the press selected the sheet
    EXPECT_EQ(Tree(), UmsatzItems());  // dismissed: no command ran
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
    EXPECT_EQ(Identity(ObjectOf(Get(nav.Get(), L"mExcel")).Get()), Identity(silentApp.Get()))
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
    ComPtr<IDispatch> first = DockedNavigator();
    ComPtr<IDispatch> second = CreateNavigator();
    ASSERT_TRUE(first && second);
    HWND pane = window.PaneTree();
    ASSERT_NE(pane, nullptr);
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
