#include "tests/windows_pane/pane_scene.h"

#include <commctrl.h>

#include <stdexcept>
#include <string_view>

#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/controls/tree_items.h"
#include "excel_standin/facade/application_facade.h"
#include "adapters/windows/ui/window_bitmap.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kMainClass[] = L"XLMAIN";
constexpr wchar_t kDockClass[] = L"EXCEL2";

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

void RegisterClassOnce(const wchar_t* name, HBRUSH background) {
    WNDCLASSW wc{};
    if (::GetClassInfoW(Instance(), name, &wc)) return;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = Instance();
    wc.lpszClassName = name;
    wc.hbrBackground = background;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&wc);
}

// One main window for the whole program: without a window manager every
// destroyed top-level window costs Wine two seconds.
HWND SharedMainWindow() {
    static HWND window = [] {
        RegisterClassOnce(kMainClass, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
        HWND w = ::CreateWindowExW(0, kMainClass, L"Microsoft Excel - Brackwell", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   0, 0, 1000, 960, nullptr, nullptr, Instance(), nullptr);
        if (!w) throw std::runtime_error("no host window");
        return w;
    }();
    return window;
}

BOOL CALLBACK FindTreeView(HWND child, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    if (std::wstring(name) != WC_TREEVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

int Depth(HWND tree, HTREEITEM item) {
    int depth = 0;
    while ((item = TreeView_GetParent(tree, item))) ++depth;
    return depth;
}

}  // namespace

PaneScene::PaneScene(SceneOptions options)
    : excel(options.version),
      platform(std::make_unique<ScenePlatform>(Instance(), settings)),
      component_(std::make_unique<Component>(*platform)),
      component(*component_) {
    ::OleInitialize(nullptr);
    RegisterClassOnce(kDockClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    main_.Reset(SharedMainWindow());
    const int dockHeight = options.dockHeight;
    if (dockHeight > 0) {
        dock_.Reset(::CreateWindowExW(0, kDockClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 30, 240,
                                      dockHeight, main_.Get(), nullptr, Instance(), nullptr));
    }
    excel.SetHwnd(reinterpret_cast<WindowHandle>(main_.Get()));
    pump_ = std::make_unique<PendingEventPump>([this] { excel.RunPendingEvents(); });
    excel.SetPendingEventNotifier(pump_->Notifier());
    facade_ = MakeApplicationFacade(excel.App());
    for (const auto& [key, value] : options.settings) settings.SaveSetting("Brackwell", "Settings", key, value);
    nav = std::make_unique<Wayfinder>(component);
    nav->set_mExcel(WrapApplication(facade_.Get()));
}

PaneScene::~PaneScene() {
    nav.reset();
    component_.reset();
    platform.reset();
    facade_.Reset();
    excel.SetPendingEventNotifier(nullptr);
    pump_.reset();
    dock_.Reset();
    main_.Detach();  // shared by all scenes
    ::OleUninitialize();
}

HWND PaneScene::TreeWindow() const {
    HWND pane = PaneWindow();
    if (!pane || !::IsWindow(pane)) return nullptr;
    HWND found = nullptr;
    ::EnumChildWindows(pane, FindTreeView, reinterpret_cast<LPARAM>(&found));
    return found;
}

void PaneScene::ResizeDock(int height) {
    RECT r{};
    ::GetWindowRect(dock_.Get(), &r);
    ::MoveWindow(dock_.Get(), 0, 30, r.right - r.left, height, TRUE);
}

void PaneScene::Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PaneScene::Screenshot(const std::wstring& path) const { return WriteWindowBitmap(main_.Get(), path); }

std::vector<HTREEITEM> AllItems(HWND tree) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = TreeView_GetRoot(tree); item;) {
        items.push_back(item);
        HTREEITEM next = TreeView_GetChild(tree, item);
        while (!next && item) {
            next = TreeView_GetNextSibling(tree, item);
            if (!next) item = TreeView_GetParent(tree, item);
        }
        item = next;
    }
    return items;
}

std::vector<ItemView> ReadTree(HWND tree, COLORREF defaultText) {
    std::vector<ItemView> items;
    // Only the pane's items lead to nodes; a bare tree's item data is its own.
    wchar_t frameClass[64] = {};
    ::GetClassNameW(::GetParent(tree), frameClass, 64);
    const bool paneTree = std::wstring_view(frameClass) == L"BrackwellTreeFrame";
    // The control draws an item of TVIS_BOLD in its bold font unless custom draw selects another.
    const MemoryDcHandle dc(::CreateCompatibleDC(nullptr));
    const auto boldFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (const HTREEITEM item : AllItems(tree)) {
        wchar_t text[512] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = 512;
        tv.stateMask = 0xFFFF;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));

        ItemView view;
        view.text = text;
        view.depth = Depth(tree, item);
        view.image = tv.iImage;
        view.selected = TreeView_GetSelection(tree) == item;
        view.expanded = (tv.state & TVIS_EXPANDED) != 0;
        if (paneTree) {
            if (const auto* node = NodeOfItemData(tv.lParam)) view.key = node->Key();
        }

        // Ask the tree's parent for the text colour and font, as the control
        // does before it draws the item.
        ::SelectObject(dc.Get(), (tv.state & TVIS_BOLD) ? boldFont : ::GetStockObject(SYSTEM_FONT));
        NMTVCUSTOMDRAW draw{};
        draw.nmcd.hdc = dc.Get();
        draw.nmcd.hdr.hwndFrom = tree;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item);
        draw.nmcd.lItemlParam = tv.lParam;
        draw.clrText = defaultText;
        ::SendMessageW(::GetParent(tree), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
        view.drawnColor = draw.clrText;
        view.bold = ::GetCurrentObject(dc.Get(), OBJ_FONT) == boldFont;
        items.push_back(view);
    }
    return items;
}

}  // namespace brackwell::win::test
