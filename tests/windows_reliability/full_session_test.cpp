// A whole working session through the real brackwell.dll and its real pane:
// created by ProgID, given the host, docked; the host's events; presses on
// every kind of node and every item of every node menu and of the pane
// menu; the toolbar's buttons and drop-down items; the password dialog, the
// tab colour picker, the options dialog and the about box; DelNavBar and
// release. Afterwards every object the component was given or made is
// released: the facade's live objects are back where they were and the DLL
// may be unloaded.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "adapters/windows/controls/tree_item_text.h"
#include "excel_standin/facade/live_objects.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/server_dll.h"
#include "tests/windows_reliability/com_scene.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

HTREEITEM FindItem(HWND tree, HTREEITEM item, const std::wstring& text) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        if (TreeItemText(tree, item) == text) return item;
        if (HTREEITEM below = FindItem(tree, TreeView_GetChild(tree, item), text)) return below;
    }
    return nullptr;
}

// What a user does in the docked pane, with real window messages.
class PaneUser {
public:
    explicit PaneUser(HostWindow& window) : window_(window) {}

    HWND Tree() const { return window_.PaneTree(); }

    // A press on the item showing `text` (or, with an empty text, below the
    // last item); `menuDowns` arrow presses then Enter answer the menu it
    // opens (0: Escape), `dialogs` modal dialogs opened by the command are
    // closed with their close box.
    bool Press(const std::wstring& text, bool right, int menuDowns = 0, int dialogs = 0) {
        HWND tree = Tree();
        if (!tree) return false;
        POINT at{10, 600};
        if (!text.empty()) {
            HTREEITEM item = FindItem(tree, TreeView_GetRoot(tree), text);
            if (!item) return false;
            TreeView_EnsureVisible(tree, item);
            RECT r{};
            std::memcpy(&r, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
            if (!::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return false;
            at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
        std::vector<std::unique_ptr<ModalAnswerer>> answers;
        if (right) answers.push_back(MenuAnswer(menuDowns));
        for (int i = 0; i < dialogs; ++i) answers.push_back(CloseDialog());
        // A going-to press with the middle button, which the pane treats as
        // the left one: the control's own left-button handling would wait
        // for a release that the handler's pending events have taken.
        ::PostMessageW(tree, right ? WM_RBUTTONUP : WM_MBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(tree, right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN, right ? MK_RBUTTON : MK_MBUTTON,
                       MAKELPARAM(at.x, at.y));
        PumpFor(std::chrono::milliseconds(20));
        return AllAnswered(answers);
    }

    // A click on the pane toolbar at `x` (pixels from its left edge); true
    // when the menu and dialogs expected came up and were answered.
    bool ClickBar(int x, int menuDowns = -1, int dialogs = 0) {
        HWND bar = nullptr;
        ::EnumChildWindows(window_.Dock(), FindToolbar, reinterpret_cast<LPARAM>(&bar));
        if (!bar) return false;
        std::vector<std::unique_ptr<ModalAnswerer>> answers;
        if (menuDowns >= 0) answers.push_back(MenuAnswer(menuDowns));
        for (int i = 0; i < dialogs; ++i) answers.push_back(CloseDialog());
        ::PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, 12));
        ::SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
        ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 12));
        PumpFor(std::chrono::milliseconds(30));
        return AllAnswered(answers);
    }

private:
    static BOOL CALLBACK FindToolbar(HWND child, LPARAM found) {
        wchar_t name[32] = {};
        ::GetClassNameW(child, name, 32);
        if (lstrcmpW(name, L"BrackwellToolbar") != 0) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }

    // Whether every menu and dialog the action should have opened came up
    // (an answerer gives up after its deadline).
    static bool AllAnswered(const std::vector<std::unique_ptr<ModalAnswerer>>& answers) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(12);
        for (const auto& answer : answers) {
            while (!answer->Answered() && std::chrono::steady_clock::now() < deadline)
                PumpFor(std::chrono::milliseconds(20));
            if (!answer->Answered()) return false;
        }
        return true;
    }

    static std::unique_ptr<ModalAnswerer> MenuAnswer(int downs) {
        return std::make_unique<ModalAnswerer>(L"#32768", [downs](HWND menu) {
            for (int i = 0; i < downs; ++i) PostKey(menu, VK_DOWN);
            PostKey(menu, downs > 0 ? VK_RETURN : VK_ESCAPE);
        });
    }
    static std::unique_ptr<ModalAnswerer> CloseDialog() {
        return std::make_unique<ModalAnswerer>(L"BrackwellDialog",
                                               [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); });
    }

    HostWindow& window_;
};

class FullSession : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = std::make_unique<RegisteredServer>(); }
    static void TearDownTestSuite() { server_.reset(); }
    static inline std::unique_ptr<RegisteredServer> server_;
};

// Toolbar x positions: the band's gripper, then the stored widths
// (Neu 44, open 25, save 25, close 38, delete 25, separator 15, info 38).
constexpr int kNewArrow = 8 + 44 - 4;
constexpr int kSave = 8 + 44 + 25 + 12;
constexpr int kTabDel = 8 + 44 + 25 + 25 + 38 + 12;
constexpr int kInfo = 8 + 44 + 25 + 25 + 38 + 25 + 15 + 10;
constexpr int kInfoArrow = kInfo - 10 + 38 - 4;

TEST_F(FullSession, EveryObjectTheComponentHeldIsReleasedAfterASessionOfEveryCommandAndDialog) {
    ASSERT_EQ(server_->registerResult, S_OK);
    const std::int64_t liveBefore = LiveFacadeObjects();
    MessageBoxWatch boxes;
    HostWindow window;
    int commands = 0;
    {
        ComScene scene(window, true);
        ASSERT_TRUE(scene.nav);
        PaneUser user(window);
        ASSERT_NE(user.Tree(), nullptr);
        const auto press = [&](const std::wstring& text, bool right, int downs = 0, int dialogs = 0) {
            EXPECT_TRUE(user.Press(text, right, downs, dialogs))
                << "press " << commands << ": no such item, or its menu or dialog did not come up";
            ++commands;
        };

        // The host's events, from the user's work in the host.
        ASSERT_EQ(Call(scene.Reach({L"Workbooks"}).Get(), L"Add").hr, S_OK);
        ComPtr<IDispatch> umsatzSheets = scene.Reach({L"Workbooks"});
        umsatzSheets = ObjectOf(Get(umsatzSheets.Get(), L"Item", {Variant::Int32(1)}));
        ASSERT_EQ(Call(umsatzSheets.Get(), L"Activate").hr, S_OK);
        umsatzSheets = ObjectOf(Get(umsatzSheets.Get(), L"Worksheets"));
        ASSERT_EQ(Call(ObjectOf(Get(umsatzSheets.Get(), L"Item", {Variant::Int32(2)})).Get(), L"Activate").hr, S_OK);
        umsatzSheets.Reset();
        PumpMessages();

        // Left presses on each kind of node.
        press(L"Umsatz.xlsx", false);
        press(L"売上", false);
        press(L"Bereich (Übersicht!$A$1:$C$3)", false);
        // The worksheet menu, item by item (arrow presses skip the separator).
        press(L"Übersicht", true, 1);            // go to
        press(L"Übersicht", true, 2);            // rename: the input box, answered with the name unchanged
        press(L"Übersicht", true, 3, 1);         // protect: the password dialog, closed
        press(L"Daten (geschützt)", true, 3);    // unprotect
        press(L"売上", true, 4, 1);              // tab colour: the picker, closed
        press(L"Übersicht", true, 5);            // copy
        press(L"Übersicht", true, 6);            // copy into a new workbook
        press(L"Tabelle2", true, 7);             // move into a new workbook
        press(L"Übersicht (2)", true, 8);        // delete
        // The name menu.
        press(L"Bereich (Übersicht!$A$1:$C$3)", true, 1);
        press(L"Bereich (Übersicht!$A$1:$C$3)", true, 2);
        press(L"Bereich (Übersicht!$A$1:$C$3)", true, 3);
        // The workbook menu.
        for (int downs = 1; downs <= 7; ++downs) press(L"Umsatz.xlsx", true, downs);
        press(L"Mappe2", true, 8);  // close
        press(L"Umsatz.xlsx", true, 0);  // dismissed
        // The pane menu: open, new workbook, about box (closed).
        press(L"", true, 1);
        press(L"", true, 2);
        press(L"", true, 3, 1);

        // The toolbar: save and delete on the selection, the about box, and
        // from the drop-down menus a new sheet and the options dialog.
        press(L"Umsatz.xlsx", false);
        EXPECT_TRUE(user.ClickBar(kSave));
        press(L"Tabelle1", false);
        EXPECT_TRUE(user.ClickBar(kTabDel));
        EXPECT_TRUE(user.ClickBar(kInfo, -1, 1)) << "the about box";
        EXPECT_TRUE(user.ClickBar(kNewArrow, 2)) << "the Neu menu";
        EXPECT_TRUE(user.ClickBar(kInfoArrow, 3, 1)) << "the options dialog";
        commands += 5;

        // What the commands did to the host.
        const WorkbooksPtr books = scene.excel.App()->Workbooks();
        EXPECT_THROW(books->ItemByName("Mappe2"), AutomationError) << "closed from its menu";
        EXPECT_EQ(books->ItemByName("Umsatz.xlsx")->Names()->Count(), 0) << "the name deleted from its menu";

        ASSERT_EQ(Call(scene.nav.Get(), L"UpdateTree").hr, S_OK);
        ASSERT_EQ(Call(scene.nav.Get(), L"DelNavBar").hr, S_OK);
        EXPECT_EQ(window.PaneTree(), nullptr);
        EXPECT_GT(boxes.Seen().size(), 0u) << "the shortcut and the rename said something";
    }
    PumpMessages();
    EXPECT_EQ(LiveFacadeObjects(), liveBefore) << "facade objects the component still holds";
    EXPECT_EQ(ServerDll::Get().DllCanUnloadNow(), S_OK);
    std::cout << "full session: " << commands << " presses and clicks, " << boxes.Seen().size()
              << " message boxes; every reference given back, DllCanUnloadNow S_OK\n";
}

}  // namespace
}  // namespace brackwell::win::test
