#include "apps/demo/excel_window.h"

#include <algorithm>

#include "adapters/windows/ui/window_class.h"
#include "apps/demo/main_window.h"
#include "apps/demo/menu_commands.h"
#include "excel_standin/office/com_addins.h"

namespace brackwell::demo {
namespace {

constexpr UINT kRefreshMessage = WM_APP + 1;
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 500;

}  // namespace

ExcelWindow::ExcelWindow(HINSTANCE instance, ExcelWindowOwner& owner) : owner_(owner) {
    EnsureXlMainClass(instance);
    win::MenuHandle menu = CreateDemoMenu(true);
    title_ = MainWindowTitle({});
    window_ = ::CreateWindowExW(0, kXlMainClass, title_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1100,
                                760, nullptr, menu.Get(), instance, static_cast<XlMainWindow*>(this));
    if (!window_) return;
    menu.Detach();  // the window destroys its menu
    ribbon_ = std::make_unique<RibbonStrip>(
        instance, window_,
        RibbonStrip::Source{[this] { return owner_.ReadRibbons(); }, [this] { return owner_.ReadCommandBars(); },
                            [this](const BarButton& button) { owner_.OnBarButton(button); }});
    taskPanes_ = std::make_unique<office::TaskPaneArea>(instance, window_, [this] { Layout(); });
    view_ = std::make_unique<WorkbookView>(
        instance, window_, [this](const std::string& sheet) { owner_.OnTabClicked(window_, sheet); });
    Layout();
    ::SetTimer(window_, kWatchTimer, kWatchMs, nullptr);
}

ExcelWindow::~ExcelWindow() {
    if (window_) ::DestroyWindow(window_);
}

void ExcelWindow::WindowDestroyed() noexcept { window_ = nullptr; }

void ExcelWindow::Layout() {
    if (!window_ || !ribbon_ || !taskPanes_ || !view_) return;
    RECT client{};
    ::GetClientRect(window_, &client);
    const int top = ribbon_->Height();
    const int below = std::max<int>(client.bottom - top, 0);
    const int panes = std::min<int>(taskPanes_->Width(), client.right);
    ::MoveWindow(ribbon_->Window(), 0, 0, client.right, top, TRUE);
    ::MoveWindow(taskPanes_->Window(), 0, top, panes, below, TRUE);
    ::MoveWindow(view_->Window(), panes, top, client.right - panes, below, TRUE);
}

void ExcelWindow::RequestRefresh() {
    if (!window_ || refreshPending_) return;
    refreshPending_ = ::PostMessageW(window_, kRefreshMessage, 0, 0) != FALSE;
}

void ExcelWindow::Refresh() {
    refreshPending_ = false;
    if (!window_) return;
    const WorkbookPicture picture = owner_.ReadWorkbook(window_);
    if (std::wstring title = MainWindowTitle(picture.workbook); title != title_) {
        title_ = std::move(title);
        ::SetWindowTextW(window_, title_.c_str());
    }
    UpdateDemoMenu(::GetMenu(window_), !picture.workbook.empty());
    view_->Show(picture);
    ribbon_->Refresh();
}

void ExcelWindow::FillComAddInsMenu(HMENU menu) {
    while (::GetMenuItemCount(menu) > 0) ::DeleteMenu(menu, 0, MF_BYPOSITION);
    comAddIns_.clear();
    for (const office::ComAddInEntry& entry : owner_.ReadComAddIns()) {
        const int command = kCommandFirstComAddIn + static_cast<int>(comAddIns_.size());
        if (command > kCommandLastComAddIn) break;
        std::wstring text = entry.friendlyName.empty() ? entry.progId : entry.friendlyName;
        if (!entry.problem.empty()) text += L" \u2013 " + entry.problem;
        ::AppendMenuW(menu, MF_STRING | (entry.loaded ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(command),
                      text.c_str());
        comAddIns_.push_back(entry.progId);
    }
    if (comAddIns_.empty()) ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"(keine)");
}

LRESULT ExcelWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) window_ = window;  // messages arrive before CreateWindowExW returns
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) Layout();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) owner_.OnActivated(window);
        break;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == ComAddInsMenu(::GetMenu(window))) {
            FillComAddInsMenu(reinterpret_cast<HMENU>(wParam));
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {  // from the menu
            const int command = LOWORD(wParam);
            const auto addIn = static_cast<std::size_t>(command - kCommandFirstComAddIn);
            if (command >= kCommandFirstComAddIn && addIn < comAddIns_.size()) {
                owner_.OnComAddInChosen(comAddIns_[addIn]);
            } else {
                owner_.OnMenuCommand(window, command);  // Beenden included: the owner closes Excel
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
        owner_.OnCloseRequested(window);  // the owner destroys the window, or keeps it
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brackwell::demo
