#include "tests/windows_addin/addin_fixture.h"

#include <commctrl.h>
#include <objbase.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/tree_item_text.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"
#include "tests/windows/message_pump.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kWorkbookClass[] = L"XLMAIN";
constexpr wchar_t kPosterClass[] = L"AddInTestPoster";
constexpr wchar_t kSettings[] = L"Software\\VB and VBA Program Settings\\Brackwell";

void RegisterTestClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    RegisterClassW(&wc);
}

LRESULT CALLBACK PosterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcW(hwnd, message, wParam, lParam);
    auto* call = reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (call && *call) (*call)();
    return 0;
}

// Windows of the DLL's own classes (the pane, its controls' frames, the
// task-pane control, the posted-task window), anywhere in the thread.
BOOL CALLBACK CountOurs(HWND window, LPARAM counter) {
    if (reinterpret_cast<HMODULE>(GetClassLongPtrW(window, GCLP_HMODULE)) == ServerDll::Get().Module())
        ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(window, CountOurs, counter);
    return TRUE;
}

int WindowsOfTheDll() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOurs, reinterpret_cast<LPARAM>(&count));
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;) CountOurs(w, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpW(name, WC_TREEVIEWW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Workbook windows for all tests of the program: without a window manager
// Wine takes two seconds to destroy or even hide a top-level window, so a
// closed workbook's window is only emptied (its children destroyed, as they
// would go with it) and kept for the next workbook.
std::vector<HWND>& SpareWindows() {
    static std::vector<HWND> spare;
    return spare;
}

HWND TakeWorkbookWindow(const std::wstring& caption) {
    HWND window = nullptr;
    if (SpareWindows().empty()) {
        window = CreateWindowExW(0, kWorkbookClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700, 500,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    } else {
        window = SpareWindows().back();
        SpareWindows().pop_back();
    }
    SetWindowTextW(window, caption.c_str());
    ShowWindow(window, SW_SHOW);
    return window;
}

void ReturnWorkbookWindow(HWND window) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (HWND c : children) DestroyWindow(c);
    SpareWindows().push_back(window);
}

}  // namespace

void AddInTest::SetUpTestSuite() {
    server_ = std::make_unique<RegisteredServer>();
    RegisterTestClass(kWorkbookClass, DefWindowProcW);
    RegisterTestClass(kPosterClass, PosterProc);
}

AddInTest::AddInTest() : liveBefore(LiveFacadeObjects()) {
    // The workbooks' windows, as Excel 2013 and later give each its own.
    excel.SetWindowMaker(
        [this](const std::string& caption) {
            windows.push_back(TakeWorkbookWindow(Utf8ToWide(caption)));
            return reinterpret_cast<WindowHandle>(windows.back());
        },
        [this](WindowHandle gone) {
            std::erase(windows, reinterpret_cast<HWND>(gone));
            ReturnWorkbookWindow(reinterpret_cast<HWND>(gone));
        });
    umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上"}, "C:\\Daten");
    mappe = excel.CreateWorkbook("Mappe2", {"Tabelle1"});
    app = MakeApplicationFacade(excel.App());
    office = MakeComObject<FakeOffice>(app.Get());
    poster_.Reset(CreateWindowExW(0, kPosterClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(poster_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&posted_));
}

AddInTest::~AddInTest() {
    for (HWND w : windows) ReturnWorkbookWindow(w);
}

void AddInTest::SetUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);  // the pane shows, as at a first start
    ASSERT_EQ(server_->registerResult, S_OK);
    ASSERT_TRUE(InitAtl()) << "atl100.dll of Wine";
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Brackwell.Connect", &clsid), S_OK);
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IDTExtensibility2),
                               addin.ReceiveVoid()),
              S_OK);
}

void AddInTest::TearDown() {
    // Excel's way out: OnBeginShutdown, OnDisconnection, Release.
    if (addin) {
        EXPECT_EQ(addin->OnBeginShutdown(nullptr), S_OK);
        for (const auto& pane : office->panes) EXPECT_FALSE(pane->frame) << "a task pane left undeleted";
        EXPECT_EQ(addin->OnDisconnection(office::kDisconnectHostShutdown, nullptr), S_OK);
    }
    addin.Reset();
    PumpMessages();
    office.Reset();
    app.Reset();
    EXPECT_EQ(LiveFacadeObjects(), liveBefore);
    EXPECT_EQ(ServerDll::Get().DllCanUnloadNow(), S_OK);
    EXPECT_EQ(WindowsOfTheDll(), 0);
    // The toggle keeps the user's choice in the settings; none is left behind.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
    const auto seen = boxes.Seen();
    EXPECT_EQ(seen.size(), boxesExpected);
    for (const SeenMessageBox& box : seen) std::printf("message box %s: %s\n", WideToUtf8(box.title).c_str(), WideToUtf8(box.text).c_str());
}

HRESULT AddInTest::Connect(IDispatch* application) {
    const HRESULT hr = addin->OnConnection(application, office::kConnectAfterStartup, nullptr, nullptr);
    if (FAILED(hr)) return hr;
    const auto ribbon = addin.Query<IRibbonExtensibility>();
    EXPECT_TRUE(ribbon);
    EXPECT_EQ(Callback(L"Brackwell_RibbonLoad", {}).hr, S_OK);
    const auto consumer = addin.Query<ICustomTaskPaneConsumer>();
    return consumer ? consumer->CTPFactoryAvailable(office.Get()) : E_NOINTERFACE;
}

CallResult AddInTest::Callback(const wchar_t* name, std::vector<Variant> more) {
    const auto ribbon = addin.Query<IRibbonExtensibility>();
    // onLoad's one argument is the ribbon; every other callback's first is
    // its control, of which the add-in reads nothing (the ribbon stands in).
    std::vector<Variant> args{Variant::Object(ComPtr<IDispatch>(static_cast<IRibbonUI*>(office.Get())))};
    for (Variant& value : more) args.push_back(std::move(value));
    return InvokeId(ribbon.Get(), IdOf(ribbon.Get(), name), DISPATCH_METHOD, std::move(args));
}

HWND AddInTest::Content(HWND host) const {
    const FakeTaskPane* pane = office->PaneOf(host);
    return pane ? FindWindowExW(pane->frame, nullptr, L"BrackwellPaneHost", nullptr) : nullptr;
}

HWND AddInTest::Tree() const {
    HWND tree = nullptr;
    for (HWND w : windows) {
        if (!tree) EnumChildWindows(w, FindTree, reinterpret_cast<LPARAM>(&tree));
    }
    return tree;
}

std::vector<std::wstring> AddInTest::TreeItems() const {
    std::vector<std::wstring> items;
    const HWND tree = Tree();
    for (HTREEITEM i = tree ? TreeView_GetRoot(tree) : nullptr; i; i = TreeView_GetNextVisible(tree, i))
        items.push_back(TreeItemText(tree, i));
    return items;
}

}  // namespace brackwell::win::test
