#include "apps/demo/main_window.h"

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_class.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kDeskClass[] = L"XLDESK";
constexpr UINT kRefreshMessage = WM_APP + 1;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 500;
// The order Excel makes its docks in, and so their order for FindWindowEx.
constexpr DockSide kDockOrder[] = {DockSide::Top, DockSide::Left, DockSide::Right, DockSide::Bottom};

// The desk hands its workbook area's size on to it.
LRESULT CALLBACK DeskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (HWND view = ::GetWindow(window, GW_CHILD)) ::MoveWindow(view, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::wstring MainWindowTitle(const std::string& activeWorkbook) {
    std::wstring title = L"Brackwell Demo";
    if (!activeWorkbook.empty()) title += L" \u2013 " + win::Utf8ToWide(activeWorkbook);
    return title;
}

MainWindow::MainWindow(HINSTANCE instance, MainWindowOwner& owner) : owner_(owner) {
    EnsureXlMainClass(instance);
    win::EnsureWindowClass(instance, kDeskClass, DeskWindowProc, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    win::MenuHandle menu = CreateDemoMenu(false);
    window_ = ::CreateWindowExW(0, kXlMainClass, MainWindowTitle({}).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                0, 0, 1100, 760, nullptr, menu.Get(), instance, static_cast<XlMainWindow*>(this));
    if (!window_) return;
    menu.Detach();  // the window destroys its menu
    title_ = MainWindowTitle({});
    const auto press = [this](const BarButton& button) { owner_.OnBarButton(button); };
    for (DockSide side : kDockOrder) {
        docks_[static_cast<std::size_t>(side)] = std::make_unique<CommandBarDock>(instance, window_, side, press);
    }
    desk_ = ::CreateWindowExW(0, kDeskClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, window_,
                              nullptr, instance, nullptr);
    view_ = std::make_unique<WorkbookView>(instance, desk_,
                                           [this](const std::string& sheet) { owner_.OnTabClicked(sheet); });
    Layout();
    ::SetTimer(window_, kWatchTimer, kWatchMs, nullptr);
}

MainWindow::~MainWindow() {
    if (window_) ::DestroyWindow(window_);
}

void MainWindow::WindowDestroyed() noexcept {
    window_ = nullptr;
    desk_ = nullptr;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
}

std::array<int, 4> MainWindow::Thicknesses() const {
    std::array<int, 4> thickness{};
    for (std::size_t i = 0; i < docks_.size(); ++i) thickness[i] = docks_[i] ? docks_[i]->Thickness() : 0;
    return thickness;
}

void MainWindow::Layout() {
    if (!window_ || !desk_ || !view_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    const auto at = [&](DockSide side) { return Thicknesses()[static_cast<std::size_t>(side)]; };
    const int top = at(DockSide::Top);
    const int bottom = at(DockSide::Bottom);
    const int left = at(DockSide::Left);
    const int right = at(DockSide::Right);
    const int middle = std::max<int>(client.bottom - top - bottom, 0);
    ::MoveWindow(Bars(DockSide::Top).Window(), 0, 0, client.right, top, TRUE);
    ::MoveWindow(Bars(DockSide::Bottom).Window(), 0, client.bottom - bottom, client.right, bottom, TRUE);
    ::MoveWindow(Bars(DockSide::Left).Window(), 0, top, left, middle, TRUE);
    ::MoveWindow(Bars(DockSide::Right).Window(), client.right - right, top, right, middle, TRUE);
    ::MoveWindow(desk_, left, top, std::max<int>(client.right - left - right, 0), middle, TRUE);
}

void MainWindow::RequestRefresh() {
    if (!window_ || refreshPending_) return;
    refreshPending_ = ::PostMessageW(window_, kRefreshMessage, 0, 0) != FALSE;
}

void MainWindow::Refresh() {
    refreshPending_ = false;
    if (!window_) return;
    const WorkbookPicture picture = owner_.ReadWorkbook();
    if (std::wstring title = MainWindowTitle(picture.workbook); title != title_) {
        title_ = std::move(title);
        ::SetWindowTextW(window_, title_.c_str());
    }
    UpdateDemoMenu(::GetMenu(window_), !picture.workbook.empty());
    view_->Show(picture);

    const std::array<int, 4> before = Thicknesses();
    const std::vector<ShownBar> bars = owner_.ReadCommandBars();
    for (const auto& dock : docks_) dock->Show(bars);
    if (Thicknesses() != before) {
        Layout();
        owner_.OnResized();
    }
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;  // messages arrive before CreateWindowExW returns
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            Layout();
            owner_.OnResized();
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {  // from the menu
            if (LOWORD(wParam) == kCommandExit) {
                ::PostMessageW(window, WM_CLOSE, 0, 0);
            } else {
                owner_.OnMenuCommand(LOWORD(wParam));
            }
            return 0;
        }
        break;
    case kRefreshMessage:
        Refresh();
        return 0;
    case WM_TIMER:
        if (wParam == kWatchTimer) {
            Refresh();
            return 0;
        }
        break;
    case WM_CLOSE:
        ::KillTimer(window, kWatchTimer);
        owner_.OnClosing();
        ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
