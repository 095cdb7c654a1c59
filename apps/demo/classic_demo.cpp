#include "apps/demo/classic_demo.h"

#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/window_bitmap.h"
#include "apps/demo/main_window.h"
#include "apps/demo/menu_commands.h"
#include "apps/demo/navigator_client.h"
#include "apps/demo/pane_probe.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

using win::Utf8ToWide;
using win::WideToUtf8;

constexpr wchar_t kProgId[] = L"Brackwell.Wayfinder";
constexpr char kBarName[] = "BrackwellBar";
constexpr char kMacroName[] = "UpdateNav";
constexpr int kPaneSeenWidth = 200;  // of the pane's 215 pixels, what a user must see at least

std::string List(const std::vector<std::wstring>& names) {
    std::string text;
    for (const std::wstring& name : names) text += (text.empty() ? "" : ", ") + WideToUtf8(name);
    return text;
}

class ClassicDemo final : public MainWindowOwner, private AppEvents {
public:
    explicit ClassicDemo(DemoSession& session) : session_(session) {}

    int Run();

private:
    embedded::EmbeddedExcel& Excel() { return session_.Excel(); }
    void Report(const std::wstring& text) { session_.Report(text, window_ ? window_->Window() : nullptr); }
    bool StartNavigator();
    void StopNavigator() noexcept;
    void RunUpdateNav();
    std::wstring SelectedTreeText();
    int RunAutomatic();
    bool ExerciseNavigator();
    bool CheckCleanUp();

    // MainWindowOwner
    void OnMenuCommand(int command) override;
    void OnBarButton(const BarButton& button) override;
    void OnTabClicked(const std::string& sheet) override;
    void OnResized() override;
    void OnClosing() override { StopNavigator(); }
    WorkbookPicture ReadWorkbook() override { return session_.ReadWorkbook(nullptr); }
    std::vector<ShownBar> ReadCommandBars() override { return ShownBarsOf(Excel().CommandBarsView()); }

    // AppEvents: whatever the host did, the window shows it anew.
    void HostChanged() { if (window_) window_->RequestRefresh(); }
    void WorkbookDeactivate(const WorkbookPtr&) override { HostChanged(); }
    void WorkbookOpen(const WorkbookPtr&) override { HostChanged(); }
    void WorkbookActivate(const WorkbookPtr&) override { HostChanged(); }
    void NewWorkbook(const WorkbookPtr&) override { HostChanged(); }
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override { HostChanged(); }
    void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override { HostChanged(); }
    void SheetActivate(const SheetPtr&) override { HostChanged(); }
    void WindowActivate(const WorkbookPtr&, const WindowPtr&) override { HostChanged(); }
    void WindowDeactivate(const WorkbookPtr&, const WindowPtr&) override {}

    DemoSession& session_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<EventConnection> hostEvents_;
    // Released in this order when the window closes: the navigator, then the facade.
    win::ComPtr<IDispatch> facade_;
    NavigatorClient nav_;
    int updateNavRuns_ = 0;
};

int ClassicDemo::Run() {
    session_.Load();
    window_ = std::make_unique<MainWindow>(session_.Instance(), *this);
    if (!window_->Window()) {
        Report(L"Das Hauptfenster lässt sich nicht anlegen.");
        return 1;
    }
    session_.User().SetOwner(window_->Window());
    Excel().SetHwnd(reinterpret_cast<WindowHandle>(window_->Window()));
    Excel().RegisterMacro(kMacroName, [this] { RunUpdateNav(); });
    hostEvents_ = Excel().App()->Advise(*this);
    // Excel shows a command bar's change on its screen at once; the host
    // announces none, so the window watches the calls that make them.
    Excel().SetCallObserver([this](const embedded::HostCall& call) {
        if (call.member.starts_with("CommandBar")) HostChanged();
    });
    window_->Show(SW_SHOWNORMAL);
    window_->Refresh();

    if (!StartNavigator()) return 1;
    window_->Refresh();  // the command bar the navigator added
    return session_.Interactive() ? session_.MessageLoop() : RunAutomatic();
}

bool ClassicDemo::StartNavigator() {
    // What the add-in's Auto_Open does.
    facade_ = win::MakeApplicationFacade(Excel().App());
    try {
        nav_ = NavigatorClient::Create(kProgId);
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
        facade_.Reset();
        return false;
    }
    try {
        nav_.SetHost(facade_.Get());
        nav_.Call(L"CreateNavBar");
    } catch (const AutomationError& e) {
        Report(L"Brackwell konnte nicht gestartet werden:\n" + Utf8ToWide(e.Description()));
        StopNavigator();
        return false;
    }
    return true;
}

void ClassicDemo::StopNavigator() noexcept {
    // What the add-in's Auto_Close does; its failures are ignored there too.
    if (nav_) {
        try {
            nav_.Call(L"DelNavBar");
        } catch (...) {
        }
    }
    nav_.Release();
    facade_.Reset();
}

void ClassicDemo::RunUpdateNav() {
    // The host-side macro behind the command-bar button.
    if (!nav_) return;
    try {
        nav_.Call(L"UpdateTree");
        ++updateNavRuns_;
    } catch (const AutomationError& e) {
        Report(L"UpdateNav: " + Utf8ToWide(e.Description()));
    }
}

void ClassicDemo::OnMenuCommand(int command) {
    RunHostCommand(command, *Excel().App(), [this](const AutomationError& e) { Report(Utf8ToWide(e.Description())); });
    HostChanged();  // a save changes nothing the host announces, but the title may change
}

void ClassicDemo::OnBarButton(const BarButton& button) {
    if (!Excel().PressCommandBarButton(button.bar, button.index)) {
        const std::wstring name = button.caption.empty() ? button.tooltip : button.caption;
        Report(L"Das Makro der Schaltfläche \"" + name + L"\" kann nicht ausgeführt werden.");
    }
}

void ClassicDemo::OnTabClicked(const std::string& sheet) {
    try {
        if (WorkbookPtr wb = Excel().App()->ActiveWorkbook()) wb->Sheets()->ItemByName(sheet)->Activate();
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
    }
}

void ClassicDemo::OnResized() {
    if (!nav_) return;
    try {
        nav_.Call(L"SizeOn");
    } catch (const AutomationError&) {
        // The add-in's size check ignores failures as well.
    }
}

std::wstring ClassicDemo::SelectedTreeText() {
    HWND tree = FindPaneTree(window_->Window());
    return tree ? SelectedItemText(tree) : std::wstring();
}

int ClassicDemo::RunAutomatic() {
    const HWND main = window_->Window();
    const std::vector<std::wstring> expected = session_.VisibleWorkbookNames();
    std::vector<std::wstring> shown;
    const bool ready = session_.WaitFor([&] {
        HWND tree = FindPaneTree(main);
        shown = tree ? RootItemTexts(tree) : std::vector<std::wstring>{};
        return shown == expected;
    });
    bool passed = PrintCheck(ready, "the pane shows the session: " + List(expected) +
                                        (ready ? "" : " (seen after " + std::to_string(kPaneDeadlineMs / 1000) +
                                                          " s: " + List(shown) + ")"));
    if (ready) {
        // Where it docked, as a user sees it: beside its bar, in the dock that holds the bar.
        HWND tree = FindPaneTree(main);
        HWND leftDock = window_->Bars(DockSide::Left).Window();
        const int seen = VisibleWidth(tree);
        const bool inLeftDock = ::IsChild(leftDock, tree) != FALSE;
        passed = PrintCheck(inLeftDock && seen >= kPaneSeenWidth,
                            "the pane docks in the left dock beside \"BrackwellBar\" (" +
                                std::string(inLeftDock ? "in the left dock" : "not in the left dock") + ", " +
                                std::to_string(seen) + " pixels of its width to be seen)") &&
                 passed;
    }
    if (ready && session_.Options().mode == DemoMode::Screenshot) {
        session_.WaitFor([] { return true; });  // whatever is queued runs first (the refresh after the events)
        const bool written = win::WriteWindowBitmap(main, session_.Options().screenshotPath);
        passed = PrintCheck(written, "screenshot: " + WideToUtf8(session_.Options().screenshotPath)) && passed;
    }
    if (ready && session_.Options().mode == DemoMode::Smoke) passed = ExerciseNavigator() && passed;

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    const int exitCode = session_.MessageLoop();
    if (session_.Options().mode == DemoMode::Smoke) passed = CheckCleanUp() && passed;
    Excel().SetCallObserver(nullptr);
    if (!passed) return 3;
    return exitCode;
}

bool ClassicDemo::ExerciseNavigator() {
    // The command bar's button, pressed as a user presses it: the host runs "UpdateNav".
    HWND bar = ::FindWindowExW(window_->Bars(DockSide::Left).Window(), nullptr, L"MsoCommandBar",
                               Utf8ToWide(kBarName).c_str());
    HWND button = bar ? ::FindWindowExW(bar, nullptr, L"Button", nullptr) : nullptr;
    if (button) ::SendMessageW(button, BM_CLICK, 0, 0);
    bool passed = PrintCheck(updateNavRuns_ == 1,
                             "the button of \"BrackwellBar\" at the left edge runs UpdateNav (UpdateTree)");

    // A sheet tab clicked: the host activates the sheet, the pane selects it.
    OnTabClicked("Übersicht");
    const bool selected = session_.WaitFor([&] { return SelectedTreeText() == L"Übersicht"; });
    passed = PrintCheck(selected, "sheet tab \"Übersicht\" clicked: the pane selects it" +
                                      (selected ? "" : " (selected: \"" + WideToUtf8(SelectedTreeText()) + "\")")) &&
             passed;

    // The menu's "Neues Tabellenblatt": the pane shows one item more.
    HWND tree = FindPaneTree(window_->Window());
    const int before = tree ? ItemCount(tree) : -1;
    ::SendMessageW(window_->Window(), WM_COMMAND, MAKEWPARAM(kCommandNewWorksheet, 0), 0);
    const bool grown = tree && session_.WaitFor([&] {
        HWND now = FindPaneTree(window_->Window());
        return now && ItemCount(now) == before + 1;
    });
    return PrintCheck(grown, "menu Blatt > Neues Tabellenblatt: the pane shows the new sheet") && passed;
}

bool ClassicDemo::CheckCleanUp() {
    const std::int64_t live = win::LiveFacadeObjects();
    bool passed = PrintCheck(live == 0, "navigator released: live objects of the automation facade " +
                                            std::to_string(live));
    bool deleted = false;
    for (const embedded::CommandBarView& bar : Excel().CommandBarsView()) {
        if (bar.name == kBarName && bar.deleted) deleted = true;
    }
    passed = PrintCheck(deleted && !Excel().FindCommandBar(kBarName), "command bar \"BrackwellBar\" deleted") && passed;
    const std::size_t sinks = Excel().AttachedSinkCount();
    return PrintCheck(sinks == 1, "only the demo still hears the host's events (" + std::to_string(sinks) +
                                      " sinks)") &&
           passed;
}

}  // namespace

int RunClassicDemo(DemoSession& session) {
    ClassicDemo demo(session);
    return demo.Run();
}

}  // namespace brackwell::demo
