#include "apps/demo/office_demo.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/posted_tasks.h"
#include "adapters/windows/ui/window_bitmap.h"
#include "apps/demo/excel_window.h"
#include "apps/demo/menu_commands.h"
#include "apps/demo/pane_probe.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/com_addins.h"
#include "excel_standin/office/office_windows.h"
#include "excel_standin/office/task_pane_frame.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

using win::Utf8ToWide;
using win::WideToUtf8;

constexpr wchar_t kToggleLabel[] = L"Navigator";  // the label of Brackwell's ribbon toggle
constexpr int kCascade = 32;

// What the system does for a click on a window: it comes to the front and
// becomes the active window, which hears WM_ACTIVATE.
void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    if (::GetActiveWindow() != window) ::SetActiveWindow(window);
}

std::string List(const std::vector<std::wstring>& names) {
    std::string text;
    for (const std::wstring& name : names) text += (text.empty() ? "" : ", ") + WideToUtf8(name);
    return text;
}

}  // namespace

class OfficeDemo::Impl final : public ExcelWindowOwner, private AppEvents {
public:
    explicit Impl(DemoSession& session) : session_(session), tasks_(session.Instance()) {}
    ~Impl() { Quit(); }

    bool Start();
    void Quit() noexcept;
    int Run() { return session_.Interactive() ? session_.MessageLoop() : RunAutomatic(); }
    int RunAutomatic();
    ExcelWindow* Find(HWND window) {
        const auto found = windows_.find(window);
        return found == windows_.end() ? nullptr : found->second.get();
    }
    ExcelWindow* WindowOf(const WorkbookPtr& wb) {
        if (!PerWorkbook()) return windows_.empty() ? nullptr : windows_.begin()->second.get();
        return wb ? Find(reinterpret_cast<HWND>(Excel().WindowOf(wb))) : nullptr;
    }
    ExcelWindow* Active() {
        try {
            return WindowOf(Excel().App()->ActiveWorkbook());
        } catch (const AutomationError&) {
            return nullptr;
        }
    }
    std::size_t Count() const { return windows_.size(); }
    office::ComAddIns* AddIns() { return addIns_.get(); }

private:
    embedded::EmbeddedExcel& Excel() { return session_.Excel(); }
    bool PerWorkbook() const { return session_.Options().generation == ExcelGeneration::Excel2016; }
    void Report(const std::wstring& text) {
        ExcelWindow* active = Active();
        session_.Report(text, active ? active->Window() : nullptr);
    }
    HWND MakeWindow();
    void DropWindow(HWND window);
    WorkbookPtr WorkbookOf(HWND window);
    void ShowWindows();
    void RefreshAll() {
        for (auto& [hwnd, window] : windows_) window->RequestRefresh();
        tasks_.Post([this] { ShowWindows(); });
    }
    bool Exercise();
    // After Excel has closed: the add-ins' panes were gone, nothing of theirs is left.
    bool CheckCleanUp(std::size_t taskPanes);
    // The task panes' frames in every window, as a user would count them.
    std::size_t TaskPaneFrames() {
        std::size_t frames = 0;
        for (const auto& [hwnd, window] : windows_) {
            for (HWND frame = nullptr;
                 (frame = ::FindWindowExW(window->TaskPanes().Window(), frame, office::kTaskPaneFrameClass, nullptr));)
                ++frames;
        }
        return frames;
    }
    HWND PaneTree(ExcelWindow* window) { return window ? FindPaneTree(window->TaskPanes().Window()) : nullptr; }

    // ExcelWindowOwner
    void OnMenuCommand(HWND window, int command) override;
    void OnTabClicked(HWND window, const std::string& sheet) override;
    void OnActivated(HWND window) override;
    void OnCloseRequested(HWND window) override;
    WorkbookPicture ReadWorkbook(HWND window) override {
        return session_.ReadWorkbook(PerWorkbook() ? WorkbookOf(window) : nullptr);
    }
    std::vector<std::shared_ptr<office::AddInRibbon>> ReadRibbons() override {
        return addIns_ ? addIns_->Ribbons() : std::vector<std::shared_ptr<office::AddInRibbon>>{};
    }
    std::vector<ShownBar> ReadCommandBars() override { return ShownBarsOf(Excel().CommandBarsView()); }
    void OnBarButton(const BarButton& button) override;
    std::vector<office::ComAddInEntry> ReadComAddIns() override {
        return addIns_ ? addIns_->List() : std::vector<office::ComAddInEntry>{};
    }
    void OnComAddInChosen(const std::wstring& progId) override;

    // AppEvents: whatever the host did, the windows show it anew.
    void WorkbookDeactivate(const WorkbookPtr&) override { RefreshAll(); }
    void WorkbookOpen(const WorkbookPtr&) override { RefreshAll(); }
    void WorkbookActivate(const WorkbookPtr&) override { RefreshAll(); }
    void NewWorkbook(const WorkbookPtr&) override { RefreshAll(); }
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override { RefreshAll(); }
    void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override { RefreshAll(); }
    void SheetActivate(const SheetPtr&) override { RefreshAll(); }
    void WindowActivate(const WorkbookPtr& wb, const WindowPtr&) override;
    void WindowDeactivate(const WorkbookPtr&, const WindowPtr&) override {}

    DemoSession& session_;
    win::PostedTasks tasks_;
    win::ComPtr<IDispatch> facade_;
    std::shared_ptr<office::OfficeWindows> officeWindows_;
    std::unique_ptr<office::ComAddIns> addIns_;
    std::map<HWND, std::unique_ptr<ExcelWindow>> windows_;
    std::unique_ptr<EventConnection> hostEvents_;
    int made_ = 0;  // windows made so far, for their places
    bool quitting_ = false;
    bool dropping_ = false;  // a window is being destroyed
};

bool OfficeDemo::Impl::Start() {
    facade_ = win::MakeApplicationFacade(Excel().App());
    officeWindows_ = std::make_shared<office::OfficeWindows>(facade_);
    if (PerWorkbook()) {
        Excel().SetWindowMaker([this](const std::string&) { return reinterpret_cast<WindowHandle>(MakeWindow()); },
                               [this](WindowHandle window) { DropWindow(reinterpret_cast<HWND>(window)); });
    } else if (HWND main = MakeWindow()) {
        Excel().SetHwnd(reinterpret_cast<WindowHandle>(main));
    }
    session_.Load();
    if (windows_.empty() || std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return !w.first; })) {
        Report(L"Das Hauptfenster lässt sich nicht anlegen.");
        return false;
    }
    hostEvents_ = Excel().App()->Advise(*this);
    ShowWindows();
    addIns_ = std::make_unique<office::ComAddIns>(officeWindows_);
    addIns_->Startup();
    for (auto& [hwnd, window] : windows_) window->Refresh();
    return true;
}

HWND OfficeDemo::Impl::MakeWindow() {
    auto window = std::make_unique<ExcelWindow>(session_.Instance(), *this);
    const HWND hwnd = window->Window();
    if (!hwnd) return nullptr;
    const int step = kCascade * (made_++ % 8);
    ::SetWindowPos(hwnd, nullptr, step, step, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    officeWindows_->AddFrame(hwnd, window->TaskPanes().Window(), [this, hwnd] {
        if (ExcelWindow* shown = Find(hwnd)) shown->RequestRefresh();
    });
    windows_[hwnd] = std::move(window);
    if (!session_.User().Owner()) session_.User().SetOwner(hwnd);
    return hwnd;
}

void OfficeDemo::Impl::DropWindow(HWND window) {
    if (officeWindows_) officeWindows_->RemoveFrame(window);
    const auto found = windows_.find(window);
    if (found == windows_.end()) return;
    std::unique_ptr<ExcelWindow> gone = std::move(found->second);
    const bool wasDropping = std::exchange(dropping_, true);
    windows_.erase(found);
    if (session_.User().Owner() == window) {
        session_.User().SetOwner(windows_.empty() ? nullptr : windows_.begin()->first);
    }
    gone.reset();  // its task panes go with it
    dropping_ = wasDropping;
    // Excel ends with its last window; not from inside the host's call.
    if (windows_.empty() && !quitting_) tasks_.Post([this] { Quit(); });
}

WorkbookPtr OfficeDemo::Impl::WorkbookOf(HWND window) {
    try {
        for (const WorkbookPtr& wb : Excel().App()->Workbooks()->Enumerate()) {
            if (reinterpret_cast<HWND>(Excel().WindowOf(wb)) == window) return wb;
        }
    } catch (const AutomationError&) {
    }
    return nullptr;
}

void OfficeDemo::Impl::ShowWindows() {
    if (quitting_) return;
    if (!PerWorkbook()) {
        if (!windows_.empty() && !::IsWindowVisible(windows_.begin()->first))
            ::ShowWindow(windows_.begin()->first, SW_SHOWNORMAL);
        return;
    }
    try {
        const WorkbookPtr active = Excel().App()->ActiveWorkbook();
        for (const WorkbookPtr& wb : Excel().App()->Workbooks()->Enumerate()) {
            const HWND window = reinterpret_cast<HWND>(Excel().WindowOf(wb));
            if (window && wb->Windows()->Item(1)->Visible() && !::IsWindowVisible(window))
                ::ShowWindow(window, SW_SHOWNA);
        }
        if (ExcelWindow* window = WindowOf(active); window && ::GetActiveWindow() != window->Window())
            BringToFront(window->Window());
    } catch (const AutomationError&) {
    }
}

void OfficeDemo::Impl::Quit() noexcept {
    if (quitting_) return;
    quitting_ = true;
    // Excel closing: the add-ins hear it first, then the windows go.
    if (addIns_) addIns_->Shutdown();
    if (PerWorkbook()) Excel().SetWindowMaker(nullptr, nullptr);
    while (!windows_.empty()) {
        const HWND window = windows_.begin()->first;
        if (officeWindows_) officeWindows_->RemoveFrame(window);
        windows_.erase(windows_.begin());
    }
    session_.User().SetOwner(nullptr);
    addIns_.reset();
    officeWindows_.reset();
    facade_.Reset();
    ::PostQuitMessage(0);
}

void OfficeDemo::Impl::OnMenuCommand(HWND window, int command) {
    if (command == kCommandExit) {
        Quit();
        return;
    }
    RunHostCommand(command, *Excel().App(), [this](const AutomationError& e) { Report(Utf8ToWide(e.Description())); });
    if (ExcelWindow* shown = Find(window)) shown->RequestRefresh();
}

void OfficeDemo::Impl::OnTabClicked(HWND window, const std::string& sheet) {
    try {
        const WorkbookPtr wb = PerWorkbook() ? WorkbookOf(window) : Excel().App()->ActiveWorkbook();
        if (wb) wb->Sheets()->ItemByName(sheet)->Activate();
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
    }
}

void OfficeDemo::Impl::OnActivated(HWND window) {
    // A click on a workbook's window activates its workbook, and the host
    // announces the switch (WindowDeactivate, ..., WindowActivate). While a
    // window goes, the system activates another on its own: the host chooses
    // the next workbook then, and its window follows.
    if (!PerWorkbook() || quitting_ || dropping_) return;
    try {
        const WorkbookPtr wb = WorkbookOf(window);
        const WorkbookPtr active = Excel().App()->ActiveWorkbook();
        if (wb && (!active || active->Name() != wb->Name())) wb->Activate();
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
    }
}

void OfficeDemo::Impl::WindowActivate(const WorkbookPtr& wb, const WindowPtr&) {
    // The host activated a workbook (the pane's press, a new workbook): its window comes to the front.
    RefreshAll();
    if (!PerWorkbook()) return;
    if (ExcelWindow* window = WindowOf(wb); window && ::GetActiveWindow() != window->Window()) {
        const HWND hwnd = window->Window();
        tasks_.Post([this, hwnd] {
            if (Find(hwnd) && ::IsWindowVisible(hwnd) && ::GetActiveWindow() != hwnd) BringToFront(hwnd);
        });
    }
}

void OfficeDemo::Impl::OnCloseRequested(HWND window) {
    if (!PerWorkbook()) {
        Quit();  // Excel 2010's one window: Excel closes
        return;
    }
    try {
        if (const WorkbookPtr wb = WorkbookOf(window)) wb->Close(std::nullopt);  // the host asks about changes
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
    }
}

void OfficeDemo::Impl::OnBarButton(const BarButton& button) {
    if (!Excel().PressCommandBarButton(button.bar, button.index)) {
        const std::wstring name = button.caption.empty() ? button.tooltip : button.caption;
        Report(L"Das Makro der Schaltfläche \"" + name + L"\" kann nicht ausgeführt werden.");
    }
}

void OfficeDemo::Impl::OnComAddInChosen(const std::wstring& progId) {
    if (!addIns_) return;
    const std::vector<office::ComAddInEntry> list = addIns_->List();
    const auto entry = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.progId == progId; });
    if (entry == list.end()) return;
    if (entry->loaded) {
        addIns_->Disconnect(progId);
    } else if (!addIns_->Connect(progId)) {
        for (const office::ComAddInEntry& now : addIns_->List()) {
            if (now.progId == progId) Report(L"Das COM-Add-In \"" + progId + L"\" wurde nicht geladen.\n" + now.problem);
        }
    }
    for (auto& [hwnd, window] : windows_) window->RequestRefresh();
}

int OfficeDemo::Impl::RunAutomatic() {
    const std::vector<std::wstring> expected = session_.VisibleWorkbookNames();
    std::vector<std::wstring> shown;
    const bool ready = session_.WaitFor([&] {
        const HWND tree = PaneTree(Active());
        shown = TreeShows(tree) ? RootItemTexts(tree) : std::vector<std::wstring>{};
        return shown == expected;
    });
    bool passed = PrintCheck(ready, "the pane in the active window's task pane shows the session: " + List(expected) +
                                        (ready ? "" : " (seen after " + std::to_string(kPaneDeadlineMs / 1000) +
                                                          " s: " + List(shown) + ")"));
    const DemoMode mode = session_.Options().mode;
    if (mode == DemoMode::Screenshot) {  // also without the pane: the picture shows what there is
        std::vector<HWND> pictured;
        if (PerWorkbook()) {
            // Two workbook windows side by side, the active one at the right.
            const HWND active = Active()->Window();
            const int width = ::GetSystemMetrics(SM_CXSCREEN) / 2;
            const int height = ::GetSystemMetrics(SM_CYSCREEN);
            for (const auto& [hwnd, window] : windows_) {
                if (hwnd != active && ::IsWindowVisible(hwnd)) {
                    ::SetWindowPos(hwnd, active, 0, 0, width, height, SWP_NOACTIVATE);
                    pictured.push_back(hwnd);
                    break;
                }
            }
            ::SetWindowPos(active, HWND_TOP, width, 0, width, height, SWP_NOACTIVATE);
            pictured.push_back(active);
        } else {
            pictured.push_back(Active()->Window());
        }
        session_.WaitFor([] { return false; }, 1000);  // the windows lay themselves out and paint
        const bool written = win::WriteWindowsBitmap(pictured, session_.Options().screenshotPath);
        passed = PrintCheck(written, "screenshot: " + WideToUtf8(session_.Options().screenshotPath)) && passed;
    }
    if (ready && mode == DemoMode::Smoke) passed = Exercise() && passed;
    // Excel closes: the add-ins first, with the windows still there; then the windows.
    if (addIns_) addIns_->Shutdown();
    session_.WaitFor([] { return false; }, 200);  // what the add-ins left to the message loop, and the repaint
    const std::size_t taskPanes = TaskPaneFrames();
    Quit();
    const int exitCode = session_.MessageLoop();
    if (mode == DemoMode::Smoke) passed = CheckCleanUp(taskPanes) && passed;
    return passed ? exitCode : 3;
}

bool OfficeDemo::Impl::Exercise() {
    bool passed = true;
    // The ribbon's toggle hides the pane and shows it again.
    const auto toggle = [&](bool shown) {
        ExcelWindow* active = Active();
        const HWND button = active ? active->Ribbon().ControlWindow(kToggleLabel) : nullptr;
        if (button) ::SendMessageW(button, BM_CLICK, 0, 0);
        const bool done = button && session_.WaitFor([&] {
            return TreeShows(PaneTree(Active())) == shown && Active()->Ribbon().Pressed(kToggleLabel) == shown;
        }, 5000);
        return PrintCheck(done, std::string("ribbon toggle \"Navigator\" clicked: the pane ") +
                                    (shown ? "shows again, the toggle pressed" : "hides, the toggle unpressed"));
    };
    passed = toggle(false) && passed;
    passed = toggle(true) && passed;

    // A sheet tab clicked: the host activates the sheet, the pane selects it.
    const auto selectedText = [&] {
        const HWND tree = PaneTree(Active());
        return tree ? SelectedItemText(tree) : std::wstring();
    };
    OnTabClicked(Active()->Window(), "Übersicht");
    passed = PrintCheck(session_.WaitFor([&] { return selectedText() == L"Übersicht"; }, 5000),
                        "sheet tab \"Übersicht\" clicked: the pane selects it") &&
             passed;

    // The menu's "Neues Tabellenblatt": the pane shows one item more.
    const HWND tree = PaneTree(Active());
    const int before = tree ? ItemCount(tree) : -1;
    ::SendMessageW(Active()->Window(), WM_COMMAND, MAKEWPARAM(kCommandNewWorksheet, 0), 0);
    passed = PrintCheck(session_.WaitFor([&] {
                            const HWND now = PaneTree(Active());
                            return now && ItemCount(now) == before + 1;
                        }, 5000),
                        "menu Blatt > Neues Tabellenblatt: the pane shows the new sheet") &&
             passed;
    if (!PerWorkbook()) return passed;

    // Another workbook's window clicked: the pane moves into its task pane.
    const HWND first = Active()->Window();
    HWND other = nullptr;
    for (const auto& [hwnd, window] : windows_) {
        if (hwnd != first && ::IsWindowVisible(hwnd)) other = hwnd;
    }
    if (other) BringToFront(other);
    passed = PrintCheck(other && session_.WaitFor([&] {
                            return Active() && Active()->Window() == other && TreeShows(PaneTree(Find(other)));
                        }, 5000),
                        "another workbook's window clicked: the pane moves into its task pane") &&
             passed;

    // The workbook whose window holds the pane closed: the pane lives on in the next active window.
    ::SendMessageW(other, WM_CLOSE, 0, 0);
    const std::vector<std::wstring> left = session_.VisibleWorkbookNames();
    return PrintCheck(session_.WaitFor([&] {
                          const HWND now = PaneTree(Active());
                          return !Find(other) && TreeShows(now) && RootItemTexts(now) == left;
                      }, 5000),
                      "that workbook closed: the pane shows in the next active window, the workbook gone from it") &&
           passed;
}

bool OfficeDemo::Impl::CheckCleanUp(std::size_t taskPanes) {
    bool passed = PrintCheck(taskPanes == 0, "the add-ins' task panes deleted");
    const std::int64_t live = win::LiveFacadeObjects();
    passed = PrintCheck(live == 0, "every add-in released: live objects of the facade and the Office layer " +
                                       std::to_string(live)) &&
             passed;
    if (HMODULE dll = ::GetModuleHandleW(L"brackwell.dll")) {
        using CanUnload = HRESULT(STDAPICALLTYPE*)();
        const auto canUnload =
            reinterpret_cast<CanUnload>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
        passed = PrintCheck(canUnload && canUnload() == S_OK, "brackwell.dll answers DllCanUnloadNow with S_OK") &&
                 passed;
    }
    const std::size_t sinks = Excel().AttachedSinkCount();
    return PrintCheck(sinks == 1, "only the demo still hears the host's events (" + std::to_string(sinks) +
                                      " sinks)") &&
           passed;
}

OfficeDemo::OfficeDemo(DemoSession& session) : impl_(std::make_unique<Impl>(session)) {}
OfficeDemo::~OfficeDemo() = default;

int OfficeDemo::Run() {
    if (!impl_->Start()) return 1;
    return impl_->Run();
}

bool OfficeDemo::Start() { return impl_->Start(); }
void OfficeDemo::Quit() noexcept { impl_->Quit(); }
ExcelWindow* OfficeDemo::WindowOf(const WorkbookPtr& wb) { return impl_->WindowOf(wb); }
ExcelWindow* OfficeDemo::ActiveWindow() { return impl_->Active(); }
std::size_t OfficeDemo::WindowCount() const { return impl_->Count(); }
office::ComAddIns* OfficeDemo::AddIns() { return impl_->AddIns(); }

}  // namespace brackwell::demo
