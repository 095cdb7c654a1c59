#include "apps/demo/main_window.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_class.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kMainClass[] = L"XLMAIN";
constexpr wchar_t kDockClass[] = L"EXCEL2";
constexpr UINT kRefreshMessage = WM_APP + 1;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 500;

}  // namespace

std::wstring MainWindowTitle(const std::string& activeWorkbook) {
    std::wstring title = L"Brackwell Demo";
    if (!activeWorkbook.empty()) title += L" \u2013 " + win::Utf8ToWide(activeWorkbook);
    return title;
}

MainWindow::MainWindow(HINSTANCE instance, MainWindowOwner& owner) : owner_(owner) {
    win::EnsureWindowClass(instance, kMainClass, win::ObjectWindowProc<MainWindow>,
                           ::GetSysColorBrush(COLOR_APPWORKSPACE));
    win::EnsureWindowClass(instance, kDockClass, ::DefWindowProcW, ::GetSysColorBrush(COLOR_BTNFACE));
    win::MenuHandle menu = CreateDemoMenu();
    window_ = ::CreateWindowExW(0, kMainClass, MainWindowTitle({}).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                0, 0, 1100, 760, nullptr, menu.Get(), instance, this);
    if (!window_) return;
    menu.Detach();  // the window destroys its menu
    title_ = MainWindowTitle({});
    dock_ = ::CreateWindowExW(0, kDockClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, window_,
                              nullptr, instance, nullptr);
    const auto press = [this](const BarButton& button) { owner_.OnBarButton(button); };
    topBars_ = std::make_unique<CommandBarDock>(instance, window_, DockSide::Top, press);
    leftBars_ = std::make_unique<CommandBarDock>(instance, window_, DockSide::Left, press);
    view_ = std::make_unique<WorkbookView>(instance, window_,
                                           [this](const std::string& sheet) { owner_.OnTabClicked(sheet); });
    Layout();
    ::SetTimer(window_, kWatchTimer, kWatchMs, nullptr);
}

MainWindow::~MainWindow() {
    if (window_) ::DestroyWindow(window_);
}

void MainWindow::WindowDestroyed() noexcept {
    window_ = nullptr;
    dock_ = nullptr;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
}

void MainWindow::Layout() {
    if (!window_ || !dock_ || !topBars_ || !leftBars_ || !view_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    const int top = topBars_->Thickness();
    const int left = leftBars_->Thickness();
    const int below = client.bottom - top;
    ::MoveWindow(topBars_->Window(), 0, 0, client.right, top, TRUE);
    ::MoveWindow(leftBars_->Window(), 0, top, left, below, TRUE);
    ::MoveWindow(dock_, left, top, kDockWidth, below, TRUE);
    ::MoveWindow(view_->Window(), left + kDockWidth, top, client.right - left - kDockWidth, below, TRUE);
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

    const int top = topBars_->Thickness();
    const int left = leftBars_->Thickness();
    const std::vector<ShownBar> bars = owner_.ReadCommandBars();
    topBars_->Show(bars);
    leftBars_->Show(bars);
    if (top != topBars_->Thickness() || left != leftBars_->Thickness()) {
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
