#include "apps/demo/demo_app.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/facade/pending_event_pump.h"
#include "adapters/windows/ui/window_bitmap.h"
#include "excel_standin/xlsx/xlsx_workbook_files.h"
#include "apps/demo/dialog_user.h"
#include "apps/demo/main_window.h"
#include "apps/demo/menu_commands.h"
#include "apps/demo/navigator_client.h"
#include "apps/demo/pane_probe.h"
#include "apps/sample_session/sample_session.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

using win::Utf8ToWide;
using win::WideToUtf8;

constexpr wchar_t kProgId[] = L"Brackwell.Wayfinder";
constexpr char kBarName[] = "BrackwellBar";
constexpr char kMacroName[] = "UpdateNav";
constexpr DWORD kPaneDeadlineMs = 30000;  // the pane shows the session well within this

void Print(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// A folder the system knows for the user; empty when it does not say.
std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) folder = WideToUtf8(path);
    ::CoTaskMemFree(path);
    return folder;
}

// The demo's own folder for the session's closed workbooks, made when
// missing: in the user's local application data, not among the user's
// documents (under Wine those are the home folder); empty when there is none.
std::string ArchiveFolder() {
    const std::string local = KnownFolder(FOLDERID_LocalAppData);
    if (local.empty()) return {};
    const std::string archive = local + "\\Brackwell Demo";
    ::CreateDirectoryW(Utf8ToWide(archive).c_str(), nullptr);
    return ::GetFileAttributesW(Utf8ToWide(archive).c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : archive;
}

class DemoApp final : public MainWindowOwner, private AppEvents {
public:
    DemoApp(HINSTANCE instance, DemoOptions options)
        : instance_(instance),
          options_(std::move(options)),
          files_(std::make_shared<win::xlsx::XlsxWorkbookFiles>()),
          user_(std::make_shared<DialogUser>(instance, files_)) {}

    ~DemoApp() { excel_.SetPendingEventNotifier(nullptr); }

    int Run();

private:
    bool Interactive() const { return options_.mode == DemoMode::Interactive; }
    void Report(const std::wstring& text);
    void WriteMissingSampleFiles(const std::string& archive);
    bool StartNavigator();
    void StopNavigator() noexcept;
    void RunUpdateNav();
    int MessageLoop();
    // Pumps messages until `condition` holds; false at the deadline or when the loop was told to quit.
    bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kPaneDeadlineMs);
    std::vector<std::wstring> VisibleWorkbookNames();
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
    WorkbookPicture ReadWorkbook() override;
    std::vector<ShownBar> ReadCommandBars() override { return ShownBarsOf(excel_.CommandBarsView()); }

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

    HINSTANCE instance_;
    DemoOptions options_;
    embedded::EmbeddedExcel excel_{"11.0"};
    std::shared_ptr<win::xlsx::XlsxWorkbookFiles> files_;
    std::shared_ptr<DialogUser> user_;
    std::unique_ptr<win::PendingEventPump> pump_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<EventConnection> hostEvents_;
    // Released in this order when the window closes: the navigator, then the facade.
    win::ComPtr<IDispatch> facade_;
    NavigatorClient nav_;
    int updateNavRuns_ = 0;
};

void DemoApp::Report(const std::wstring& text) {
    if (Interactive()) {
        ::MessageBoxW(window_ ? window_->Window() : nullptr, text.c_str(), kDemoTitle, MB_OK | MB_ICONEXCLAMATION);
    } else {
        // Nobody is there to close a box: the automatic runs print instead.
        std::fputs(("Message box: " + WideToUtf8(text) + "\n").c_str(), stderr);
    }
}

int DemoApp::Run() {
    excel_.SetFiles(files_);
    // The sample workbooks "live" in the user's Documents, so saving them works.
    if (const std::string documents = KnownFolder(FOLDERID_Documents); !documents.empty()) {
        excel_.SetDefaultFilePath(documents);
        user_->SetStartFolder(documents);
        const std::string archive = ArchiveFolder();
        apps::LoadSampleSession(excel_, documents, archive);
        if (!archive.empty()) WriteMissingSampleFiles(archive);
    } else {
        apps::LoadSampleSession(excel_);
    }
    // The automatic runs keep the scripted answers (cancel), so no dialog waits for a person.
    if (Interactive()) excel_.User().answerer = user_;

    pump_ = std::make_unique<win::PendingEventPump>([this] { excel_.RunPendingEvents(); });
    excel_.SetPendingEventNotifier(pump_->Notifier());
    window_ = std::make_unique<MainWindow>(instance_, *this);
    if (!window_->Window()) {
        Report(L"Das Hauptfenster lässt sich nicht anlegen.");
        return 1;
    }
    user_->SetOwner(window_->Window());
    excel_.SetHwnd(reinterpret_cast<WindowHandle>(window_->Window()));
    excel_.RegisterMacro(kMacroName, [this] { RunUpdateNav(); });
    hostEvents_ = excel_.App()->Advise(*this);
    window_->Show(SW_SHOWNORMAL);
    window_->Refresh();

    if (!StartNavigator()) return 1;
    window_->Refresh();  // the command bar the navigator added
    return Interactive() ? MessageLoop() : RunAutomatic();
}

void DemoApp::WriteMissingSampleFiles(const std::string& archive) {
    // Last year's workbook on the recent-file list: written once, never over
    // a file that is there, so that the pane's recent-file item opens it.
    for (const apps::SampleFile& file : apps::SampleClosedFiles(archive)) {
        if (files_->Exists(file.path)) continue;
        try {
            files_->Save(file.path, file.content);
        } catch (const std::exception&) {
            // Then the item opens nothing, as in Excel for a file that has gone.
        }
    }
}

bool DemoApp::StartNavigator() {
    // What the add-in's Auto_Open does.
    facade_ = win::MakeApplicationFacade(excel_.App());
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

void DemoApp::StopNavigator() noexcept {
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

void DemoApp::RunUpdateNav() {
    // The host-side macro behind the command-bar button.
    if (!nav_) return;
    try {
        nav_.Call(L"UpdateTree");
        ++updateNavRuns_;
    } catch (const AutomationError& e) {
        Report(L"UpdateNav: " + Utf8ToWide(e.Description()));
    }
}

void DemoApp::OnMenuCommand(int command) {
    RunHostCommand(command, *excel_.App(), [this](const AutomationError& e) { Report(Utf8ToWide(e.Description())); });
    HostChanged();  // a save changes nothing the host announces, but the title may change
}

void DemoApp::OnBarButton(const BarButton& button) {
    if (!excel_.PressCommandBarButton(button.bar, button.index)) {
        const std::wstring name = button.caption.empty() ? button.tooltip : button.caption;
        Report(L"Das Makro der Schaltfläche \"" + name + L"\" kann nicht ausgeführt werden.");
    }
}

void DemoApp::OnTabClicked(const std::string& sheet) {
    try {
        if (WorkbookPtr wb = excel_.App()->ActiveWorkbook()) wb->Sheets()->ItemByName(sheet)->Activate();
    } catch (const AutomationError& e) {
        Report(Utf8ToWide(e.Description()));
    }
}

void DemoApp::OnResized() {
    if (!nav_) return;
    try {
        nav_.Call(L"SizeOn");
    } catch (const AutomationError&) {
        // The add-in's size check ignores failures as well.
    }
}

WorkbookPicture DemoApp::ReadWorkbook() {
    WorkbookPicture picture;
    try {
        const ApplicationPtr app = excel_.App();
        const WorkbookPtr wb = app->ActiveWorkbook();
        if (!wb) return picture;
        picture.workbook = wb->Name();
        if (const SheetPtr sheet = app->ActiveSheet()) picture.sheet = sheet->Name();
        picture.tabs = SheetTabsOf(excel_.Snapshot(wb), picture.sheet);
        for (const SheetTab& tab : picture.tabs) {
            if (tab.active) picture.chart = tab.chart;
        }
        const embedded::Selection selection = excel_.CurrentSelection();
        if (selection.workbook == picture.workbook && selection.sheet == picture.sheet) picture.selection = selection.range;
    } catch (const std::exception&) {
        // Shown as far as it could be read.
    }
    return picture;
}

int DemoApp::MessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool DemoApp::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that ends the run
                return false;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (condition()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        // Sleeps only until the next message arrives or a little time has passed.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                    QS_ALLINPUT);
    }
}

std::vector<std::wstring> DemoApp::VisibleWorkbookNames() {
    // The workbooks whose window is visible: the tree's top level.
    std::vector<std::wstring> names;
    for (const WorkbookPtr& wb : excel_.App()->Workbooks()->Enumerate()) {
        if (wb->Windows()->Item(1)->Visible()) names.push_back(Utf8ToWide(wb->Name()));
    }
    return names;
}

std::wstring DemoApp::SelectedTreeText() {
    HWND tree = FindPaneTree(window_->Window());
    return tree ? SelectedItemText(tree) : std::wstring();
}

int DemoApp::RunAutomatic() {
    const HWND main = window_->Window();
    const std::vector<std::wstring> expected = VisibleWorkbookNames();
    std::vector<std::wstring> shown;
    const bool ready = WaitFor([&] {
        HWND tree = FindPaneTree(main);
        shown = tree ? RootItemTexts(tree) : std::vector<std::wstring>{};
        return shown == expected;
    });
    const auto list = [](const std::vector<std::wstring>& names) {
        std::string text;
        for (const std::wstring& name : names) text += (text.empty() ? "" : ", ") + WideToUtf8(name);
        return text;
    };
    Print(std::string(ready ? "ok" : "FAILED") + "  the pane in the dock shows the session: " + list(expected) +
          (ready ? "" : " (seen after " + std::to_string(kPaneDeadlineMs / 1000) + " s: " + list(shown) + ")"));

    bool passed = ready;
    if (ready && options_.mode == DemoMode::Screenshot) {
        WaitFor([] { return true; });  // whatever is queued runs first (the refresh after the events)
        const bool written = win::WriteWindowBitmap(main, options_.screenshotPath);
        Print(std::string(written ? "ok" : "FAILED") + "  screenshot: " + WideToUtf8(options_.screenshotPath));
        passed = written;
    }
    if (ready && options_.mode == DemoMode::Smoke) passed = ExerciseNavigator();

    ::PostMessageW(main, WM_CLOSE, 0, 0);
    const int exitCode = MessageLoop();
    if (options_.mode == DemoMode::Smoke) passed = CheckCleanUp() && passed;
    if (!passed) return 3;
    return exitCode;
}

bool DemoApp::ExerciseNavigator() {
    // The command bar's button, pressed as a user presses it: the host runs "UpdateNav".
    bool passed = true;
    HWND bar = ::FindWindowExW(window_->LeftBars().Window(), nullptr, L"MsoCommandBar", Utf8ToWide(kBarName).c_str());
    HWND button = bar ? ::FindWindowExW(bar, nullptr, L"Button", nullptr) : nullptr;
    if (button) ::SendMessageW(button, BM_CLICK, 0, 0);
    const bool pressed = updateNavRuns_ == 1;
    Print(std::string(pressed ? "ok" : "FAILED") + "  the button of \"BrackwellBar\" at the left edge runs UpdateNav (UpdateTree)");
    passed = passed && pressed;

    // A sheet tab clicked: the host activates the sheet, the pane selects it.
    OnTabClicked("Übersicht");
    const bool selected = WaitFor([&] { return SelectedTreeText() == L"Übersicht"; });
    Print(std::string(selected ? "ok" : "FAILED") + "  sheet tab \"Übersicht\" clicked: the pane selects it" +
          (selected ? "" : " (selected: \"" + WideToUtf8(SelectedTreeText()) + "\", active: \"" + ReadWorkbook().sheet + "\")"));
    passed = passed && selected;

    // The menu's "Neues Tabellenblatt": the pane shows one item more.
    HWND tree = FindPaneTree(window_->Window());
    const int before = tree ? ItemCount(tree) : -1;
    ::SendMessageW(window_->Window(), WM_COMMAND, MAKEWPARAM(kCommandNewWorksheet, 0), 0);
    const bool grown = tree && WaitFor([&] {
        HWND now = FindPaneTree(window_->Window());
        return now && ItemCount(now) == before + 1;
    });
    Print(std::string(grown ? "ok" : "FAILED") + "  menu Blatt > Neues Tabellenblatt: the pane shows the new sheet");
    return passed && grown;
}

bool DemoApp::CheckCleanUp() {
    bool passed = true;
    const auto check = [&](bool ok, const std::string& what) {
        Print(std::string(ok ? "ok" : "FAILED") + "  " + what);
        passed = passed && ok;
    };
    const std::int64_t live = win::LiveFacadeObjects();
    check(live == 0, "navigator released: live objects of the automation facade " + std::to_string(live));
    bool deleted = false;
    for (const embedded::CommandBarView& bar : excel_.CommandBarsView()) {
        if (bar.name == kBarName && bar.deleted) deleted = true;
    }
    check(deleted && !excel_.FindCommandBar(kBarName), "command bar \"BrackwellBar\" deleted");
    const std::size_t sinks = excel_.AttachedSinkCount();
    check(sinks == 1, "only the demo still hears the host's events (" + std::to_string(sinks) + " sinks)");
    return passed;
}

// Opens COM for the thread and closes it again after everything COM made is gone.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

}  // namespace

int RunDemo(HINSTANCE instance, const DemoOptions& options) {
    OleSession ole;
    if (!ole.Ok()) {
        std::fputs("OleInitialize failed.\n", stderr);
        return 1;
    }
    int exitCode = 1;
    {
        DemoApp app(instance, options);
        exitCode = app.Run();
    }
    return exitCode;
}

}  // namespace brackwell::demo
