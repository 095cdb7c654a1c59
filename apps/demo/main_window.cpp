#include "apps/demo/main_window.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_class.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kMainClass[] = L"XLMAIN";
constexpr wchar_t kDockClass[] = L"EXCEL2";
constexpr UINT kRefreshMessage = WM_APP + 1;

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
    dock_ = ::CreateWindowExW(0, kDockClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, window_,
                              nullptr, instance, nullptr);
    bars_ = std::make_unique<CommandBarStrip>(instance, window_,
                                              [this](const BarButton& button) { owner_.OnBarButton(button); });
    view_ = std::make_unique<WorkbookView>(
        instance, window_, [this] { return owner_.ReadWorkbook(); },
        [this](const std::string& sheet) { owner_.OnTabClicked(sheet); });
    Layout();
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
    if (!window_ || !dock_ || !bars_ || !view_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    const int below = client.bottom - kCommandBarAreaHeight;
    ::MoveWindow(bars_->Window(), 0, 0, client.right, kCommandBarAreaHeight, TRUE);
    ::MoveWindow(dock_, 0, kCommandBarAreaHeight, kDockWidth, below, TRUE);
    ::MoveWindow(view_->Window(), kDockWidth, kCommandBarAreaHeight, client.right - kDockWidth, below, TRUE);
}

void MainWindow::RequestRefresh() {
    if (!window_ || refreshPending_) return;
    refreshPending_ = ::PostMessageW(window_, kRefreshMessage, 0, 0) != FALSE;
}

void MainWindow::Refresh() {
    refreshPending_ = false;
    if (!window_) return;
    const WorkbookPicture picture = owner_.ReadWorkbook();
    ::SetWindowTextW(window_, MainWindowTitle(picture.workbook).c_str());
    UpdateDemoMenu(::GetMenu(window_), !picture.workbook.empty());
    if (bars_) bars_->Show(owner_.ReadCommandBars());
    if (view_) view_->Refresh();
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
    case WM_CLOSE:
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
