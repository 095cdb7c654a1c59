#pragma once
// What every generation of the demo shares: the embedded host with the
// sample session (its workbooks "living" in the user's documents, last
// year's workbook in the demo's own folder), the real dialogs that answer the
// host's questions in the interactive run, the pump that runs the host's
// queued events from the message loop, and the loop itself, which routes
// keys to the controls in task panes first, as a host must.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apps/demo/demo_options.h"
#include "apps/demo/dialog_user.h"
#include "apps/demo/workbook_view.h"
#include "excel_standin/embedded/embedded_excel.h"
#include "excel_standin/facade/pending_event_pump.h"
#include "excel_standin/xlsx/xlsx_workbook_files.h"

namespace brackwell::demo {

inline constexpr DWORD kPaneDeadlineMs = 30000;  // the pane shows the session well within this

class DemoSession {
public:
    DemoSession(HINSTANCE instance, DemoOptions options);
    ~DemoSession();
    DemoSession(const DemoSession&) = delete;
    DemoSession& operator=(const DemoSession&) = delete;

    HINSTANCE Instance() const noexcept { return instance_; }
    const DemoOptions& Options() const noexcept { return options_; }
    bool Interactive() const { return options_.mode == DemoMode::Interactive; }
    embedded::EmbeddedExcel& Excel() noexcept { return excel_; }
    DialogUser& User() noexcept { return *user_; }

    // Loads the sample session and starts the event pump; the dialogs answer
    // only in the interactive run (the automatic runs keep the scripted
    // answers, so no dialog waits for a person).
    void Load();
    // A message box in the interactive run, a line on stderr otherwise.
    void Report(const std::wstring& text, HWND owner) const;

    // The loop until WM_QUIT; its exit code.
    int MessageLoop();
    // Pumps messages until `condition` holds; false at the deadline or when
    // the loop was told to quit.
    bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kPaneDeadlineMs);

    // The names of the workbooks whose window is visible: the tree's top level.
    std::vector<std::wstring> VisibleWorkbookNames();
    // What a workbook area shows of `wb` (the active one when null).
    WorkbookPicture ReadWorkbook(const WorkbookPtr& wb);

private:
    void WriteMissingSampleFiles(const std::string& archive);

    HINSTANCE instance_;
    DemoOptions options_;
    embedded::EmbeddedExcel excel_;
    std::shared_ptr<win::xlsx::XlsxWorkbookFiles> files_;
    std::shared_ptr<DialogUser> user_;
    std::unique_ptr<win::PendingEventPump> pump_;
};

// "ok  what" or "FAILED  what" on stdout; passes `ok` on.
bool PrintCheck(bool ok, const std::string& what);

}  // namespace brackwell::demo
