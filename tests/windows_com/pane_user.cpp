#include "tests/windows_com/pane_user.h"

#include <commctrl.h>

#include <cstdlib>
#include <mutex>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/toolbar.h"
#include "adapters/windows/ui/input_box.h"
#include "adapters/windows/ui/win_handles.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kFormClass[] = L"BrackwellDialog";
constexpr wchar_t kBarClass[] = L"BrackwellToolbar";

BOOL CALLBACK CollectStatics(HWND child, LPARAM data) {
    wchar_t className[16] = {};
    ::GetClassNameW(child, className, 16);
    const std::wstring text = WindowText(child);
    if (::lstrcmpiW(className, L"Static") == 0 && !text.empty()) {
        auto* out = reinterpret_cast<std::wstring*>(data);
        if (!out->empty()) *out += L"\n";
        *out += text;
    }
    return TRUE;
}

struct Found {
    const wchar_t* className;
    HWND window = nullptr;
};

BOOL CALLBACK FindChildOfClass(HWND child, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    wchar_t className[64] = {};
    ::GetClassNameW(child, className, 64);
    if (::lstrcmpW(className, found->className) != 0) return TRUE;
    found->window = child;
    return FALSE;
}

struct LeftOpen {
    std::vector<HWND> windows;
};

BOOL CALLBACK FindModal(HWND window, LPARAM data) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    const bool modal = ::lstrcmpW(className, kMenuClass) == 0 || ::lstrcmpW(className, kDialogClass) == 0 ||
                       ::lstrcmpW(className, kFormClass) == 0;
    if (modal && ::IsWindowVisible(window)) reinterpret_cast<LeftOpen*>(data)->windows.push_back(window);
    return TRUE;
}

// Whatever the script left showing on the pane's thread, closed the way a
// user gives up: Escape in a menu, the close box of a dialog. The boxes the
// watch closes are its own; they are waited for.
std::vector<std::wstring> CloseWhatIsLeft(DWORD uiThread, DialogUserThread& u) {
    std::vector<std::wstring> closed;
    for (int quietRounds = 0, round = 0; quietRounds < 2 && round < 20; ++round) {
        u.Settle();
        LeftOpen open;
        ::EnumThreadWindows(uiThread, FindModal, reinterpret_cast<LPARAM>(&open));
        quietRounds = open.windows.empty() ? quietRounds + 1 : 0;
        for (HWND window : open.windows) {
            if (IsComponentMessageBox(window)) {
                u.WaitUntilGone(window);
                continue;
            }
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            closed.push_back(std::wstring(className) + L" \"" + WindowText(window) + L"\"");
            if (::lstrcmpW(className, kMenuClass) == 0) {
                PostKey(window, VK_ESCAPE);
            } else {
                u.CloseBox(window);
            }
            u.WaitUntilGone(window);
        }
    }
    return closed;
}

// Where the measuring bars go: a window that never shows, so that it
// neither covers the pane nor takes anything from it.
HWND HiddenParent() {
    static const WindowHandleOwner parent(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 600, 100, HWND_MESSAGE, nullptr, Instance(), nullptr));
    return parent.Get();
}

}  // namespace

UINT ShownMenu::StateOf(const std::wstring& caption) const {
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (captions[i] == caption) return states[i];
    }
    return static_cast<UINT>(-1);
}

ShownMenu ReadMenu(HWND menuWindow) {
    ShownMenu shown;
    if (!menuWindow) return shown;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t caption[256] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        shown.captions.push_back(caption);
        shown.states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
    }
    return shown;
}

void ChooseFromMenu(HWND menuWindow, const std::wstring& caption) {
    if (!menuWindow) return;
    const ShownMenu shown = ReadMenu(menuWindow);
    // The keyboard passes separators by and marks every other item.
    int downs = 0;
    for (std::size_t i = 0; i < shown.captions.size(); ++i) {
        if (!(shown.states[i] & MF_SEPARATOR)) ++downs;
        if (shown.captions[i] == caption) {
            for (int d = 0; d < downs; ++d) PostKey(menuWindow, VK_DOWN);
            PostKey(menuWindow, VK_RETURN);
            return;
        }
    }
    PostKey(menuWindow, VK_ESCAPE);  // no such item: the menu goes without a choice
}

SeenDialog AnswerInputBox(DialogUserThread& u, const std::optional<std::wstring>& typed) {
    SeenDialog seen;
    HWND box = u.WaitForWindow(kDialogClass);
    if (!box) return seen;
    HWND field = ::GetDlgItem(box, kInputBoxEditId);
    seen.title = WindowText(box);
    seen.text = WindowText(::GetDlgItem(box, kInputBoxPromptId));
    seen.field = WindowText(field);
    if (typed) {
        ::PostMessageW(field, EM_SETSEL, 0, -1);  // typing replaces the whole text
        u.Type(field, *typed);
        u.Settle();
    }
    u.Click(::GetDlgItem(box, typed ? IDOK : IDCANCEL));
    u.WaitUntilGone(box);
    return seen;
}

SeenDialog AnswerQuestion(DialogUserThread& u, bool ok) {
    SeenDialog seen;
    HWND box = u.WaitForWindow(kDialogClass);
    if (!box) return seen;
    seen.title = WindowText(box);
    ::EnumChildWindows(box, CollectStatics, reinterpret_cast<LPARAM>(&seen.text));
    u.Click(::GetDlgItem(box, ok ? IDOK : IDCANCEL));
    u.WaitUntilGone(box);
    return seen;
}

SeenDialog AnswerFileDialog(DialogUserThread& u, const std::string& path) {
    SeenDialog seen;
    HWND dialog = u.WaitForWindow(kDialogClass);
    if (!dialog) return seen;
    seen.title = WindowText(dialog);
    HWND field = ChildOfClass(dialog, L"Edit");
    seen.field = WindowText(field);
    ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(path).c_str()));
    // As Enter does: the dialog's default command.
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    u.WaitUntilGone(dialog);
    return seen;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    Found found{className};
    ::EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

int Px(int twips) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return ::MulDiv(twips, dpi, 1440);
}

void PressAt(POINT screen, bool right) {
    // A press soon after another at the same spot would be the second half
    // of a double-click, which opens no menu; a user would wait that long.
    // The pause counts from the moment the earlier button went down, which is
    // after its pointer had arrived: the move takes tens of milliseconds
    // under the 32-bit Wine, enough to make the two presses a double-click.
    static std::mutex lastMutex;
    static POINT last{-1000, -1000};
    static ULONGLONG lastDown = 0;
    MoveMouseTo(screen);
    {
        std::lock_guard lock(lastMutex);
        const bool nearby = std::abs(screen.x - last.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
                            std::abs(screen.y - last.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK);
        if (nearby) {
            const ULONGLONG due = lastDown + ::GetDoubleClickTime() + 50;
            WaitFor([&] { return ::GetTickCount64() >= due; });
        }
        last = screen;
        lastDown = ::GetTickCount64();
    }
    if (right) {
        RightButton(true);
        RightButton(false);
    } else {
        LeftButton(true);
        LeftButton(false);
    }
}

void ClickIn(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    PressAt(client, false);
}

RECT DesignedButton(const ToolbarDesign& design, const std::string& key) {
    const WinToolbar bar(Instance(), HiddenParent(), design);
    RECT r = bar.ButtonRect(key);
    const RECT arrow = bar.ArrowRect(key);
    if (arrow.right > arrow.left) r.right = arrow.left;  // a drop-down button's own part
    return r;
}

RECT DesignedArrow(const ToolbarDesign& design, const std::string& key) {
    const WinToolbar bar(Instance(), HiddenParent(), design);
    return bar.ArrowRect(key);
}

PaneUserTest::PaneUserTest() : host(std::make_shared<demo::DialogUser>(Instance(), files)) {
    boxes.TakeOnlyComponentBoxes();  // the input boxes and the host's questions are the user's
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"brackwell-pane-user-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    host->SetOwner(window.Main());
    host->SetStartFolder(WideToUtf8(folder));
    excel.SetFiles(files);
    excel.User().answerer = host;
}

PaneUserTest::~PaneUserTest() {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ::DeleteFileW((folder + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

void PaneUserTest::SetUp() {
    NavigatorTest::SetUp();
    if (HasFatalFailure()) return;
    nav = DockedNavigator();
    ASSERT_TRUE(nav);
    PumpMessages();
    ASSERT_NE(PaneBar(), nullptr);
}

void PaneUserTest::TearDown() {
    if (nav) {
        EXPECT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
    }
    nav.Reset();
    NavigatorTest::TearDown();
}

void PaneUserTest::AsUser(const std::function<void(DialogUserThread&)>& script) {
    ::SetForegroundWindow(window.Main());
    const DWORD uiThread = ::GetCurrentThreadId();
    bool timedOut = false;
    std::vector<std::wstring> leftOpen;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            script(u);
            u.Settle();
            timedOut = u.TimedOut();
            leftOpen = CloseWhatIsLeft(uiThread, u);
        }, std::chrono::seconds(60));
    }
    EXPECT_FALSE(timedOut) << "something the user waited for did not come";
    for (const std::wstring& window : leftOpen) ADD_FAILURE() << "left open: " << WideToUtf8(window);
    PumpMessages();
}

POINT PaneUserTest::Item(const std::wstring& text) {
    PumpMessages();
    const POINT at = TreeLabelCentre(window.PaneTree(), text);
    EXPECT_GE(at.x, 0) << "no item " << WideToUtf8(text);
    return at;
}

POINT PaneUserTest::BelowTheItems() {
    PumpMessages();
    HWND tree = window.PaneTree();
    RECT client{};
    ::GetClientRect(tree, &client);
    POINT at{client.right / 3, client.bottom - 20};
    ::ClientToScreen(tree, &at);
    return at;
}

HWND PaneUserTest::PaneBar() const { return ChildOfClass(window.Dock(), kBarClass); }

std::string PaneUserTest::WriteWorkbookFile(const std::string& name, const std::vector<std::string>& sheets) {
    embedded::WorkbookContent content;
    for (const std::string& sheet : sheets) {
        embedded::SheetContent added;
        added.name = sheet;
        content.sheets.push_back(added);
    }
    const std::string path = WideToUtf8(folder) + name;
    files->Save(path, content);
    return path;
}

}  // namespace brackwell::win::test
