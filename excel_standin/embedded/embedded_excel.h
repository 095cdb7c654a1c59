#pragma once
// An in-memory spreadsheet application that behaves like a German Microsoft
// Excel wherever the navigator relies on it. It serves the native tests, the
// benchmarks and the console demo, and is the model behind the automation
// facade. Standard C++ only.
//
// App() is the port (host/excel.h). Everything else here is for the one who
// sets the scene and watches: silent set-up (no events, no call counting),
// the scripted user who answers the host's own questions, the file store,
// the queue of pending events, fault injection and call counters, and the
// command bars and selection as a test sees them.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "excel_standin/embedded/call_gate.h"
#include "excel_standin/embedded/command_bars.h"
#include "excel_standin/embedded/event_hub.h"
#include "excel_standin/embedded/scripted_user.h"
#include "excel_standin/embedded/workbook_content.h"
#include "excel_standin/embedded/workbook_files.h"
#include "host/excel.h"

namespace brackwell::embedded {

class HostCore;

// Where the cursor stands after Goto or an activation.
struct Selection {
    std::string workbook;
    std::string sheet;
    std::string range;  // absolute A1 address, "$A$1:$B$9"
};

class EmbeddedExcel {
public:
    explicit EmbeddedExcel(std::string version = "11.0");
    ~EmbeddedExcel();
    EmbeddedExcel(const EmbeddedExcel&) = delete;
    EmbeddedExcel& operator=(const EmbeddedExcel&) = delete;

    // The Application port; valid while the host lives. Objects handed out
    // fail with err::kDisconnected once the host is gone.
    ApplicationPtr App();

    // --- settings
    void SetVersion(std::string version);  // "9.0", "11.0", "12.0", or any text
    void SetHwnd(WindowHandle hwnd);
    void SetSheetsInNewWorkbook(int count);             // default 3
    void SetDefaultFilePath(std::string path);          // default "C:\Users\Benutzer\Dokumente"
    void SetMaxRecentFiles(int count);                  // default 9
    // Version 15 ("15.0", Excel 2013) and later give every workbook a
    // top-level window of its own: `create` makes it (titled with the
    // workbook's name) when the workbook appears, `destroy` takes it away
    // when the workbook closes, before the next window is activated.
    void SetWindowMaker(std::function<WindowHandle(const std::string& caption)> create,
                        std::function<void(WindowHandle)> destroy);
    WindowHandle WindowOf(const WorkbookPtr& wb);  // its own window; 0 where there is none

    // --- silent set-up
    // A workbook with these worksheets (none given: "Tabelle1".."TabelleN"),
    // appended to Workbooks and made active. Path "" = never saved.
    WorkbookPtr CreateWorkbook(const std::string& name, const std::vector<std::string>& worksheetNames = {},
                               const std::string& path = "");
    // position: 1-based place in Sheets, 0 = at the end.
    SheetPtr AddChartSheet(const WorkbookPtr& wb, const std::string& name, int position = 0);
    SheetPtr AddWorksheet(const WorkbookPtr& wb, const std::string& name, int position = 0);
    // A workbook-level name, or a sheet-level one when `scope` is given;
    // Excel's own spelled as in files ("_xlnm.Print_Area").
    DefinedNamePtr AddName(const WorkbookPtr& wb, const std::string& name, const std::string& refersTo,
                           const SheetPtr& scope = nullptr);
    void SetNameVisible(const DefinedNamePtr& name, bool visible);  // False: hidden from the name dialogs
    void SetWindowVisible(const WorkbookPtr& wb, bool visible);  // hidden first window, like PERSONAL.XLSB
    void SetSheetVisible(const SheetPtr& sheet, bool visible);
    void SetSheetProtection(const SheetPtr& sheet, bool isProtected, const std::string& password = "");
    void SetTabColor(const SheetPtr& sheet, std::int32_t colorIndex);
    // IsAddin True: reachable by Workbooks.ItemByName, not counted, enumerated or positioned.
    WorkbookPtr AddAddin(const std::string& name, const std::string& path = "");
    void ActivateSilently(const WorkbookPtr& wb, const SheetPtr& sheet = nullptr);
    void AddRecentFile(const std::string& fullPath);  // goes to the top of the list
    bool Saved(const WorkbookPtr& wb);                // new workbook: true; after a change: false
    void SetSaved(const WorkbookPtr& wb, bool saved);
    void SetReadOnly(const WorkbookPtr& wb, bool readOnly);

    // --- what a test looks at
    WorkbookContent Snapshot(const WorkbookPtr& wb);  // sheets, names and window as saved
    Selection CurrentSelection();                     // empty when no sheet is active
    std::vector<std::string> RecentFilePaths();
    std::vector<std::int32_t> ShownDialogs();         // built-in dialogs by number, in order

    // --- the user who answers the host's questions
    ScriptedUser& User();

    // --- files opened and saved
    void SetFiles(std::shared_ptr<WorkbookFiles> files);  // null: back to the built-in memory store
    MemoryWorkbookFiles& MemoryFiles();                   // the built-in store

    // --- events
    void PostEvent(PendingEvent event);
    int RunPendingEvents();  // the component's DoEvents is wired to this
    bool HasPendingEvents() const;
    void SetPendingEventNotifier(std::function<void()> notifier);  // called whenever an event is queued
    // Queue the host's own events instead of firing them at once.
    void SetDeferEvents(bool defer);
    std::size_t AttachedSinkCount() const;
    // Deliveries a sink answered by throwing (the host drops them).
    std::size_t EventSinkFailures() const;

    // --- fault injection and call counters, keyed "Class.Method"
    void FailOn(const std::string& member, int nthCall, std::int32_t number, std::string description);
    void FailAlways(const std::string& member, std::int32_t number, std::string description);
    // The nth port call from now fails once, whatever its member.
    void FailCall(int nthCall, std::int32_t number, std::string description);
    void ClearFaults();
    int Calls(const std::string& member) const;
    int TotalCalls() const;
    void ResetCalls();
    // Sees every counted call before it runs (null: nobody).
    void SetCallObserver(std::function<void(const HostCall&)> observer);

    // --- command bars
    std::vector<CommandBarView> CommandBarsView() const;  // custom bars ever added, in order
    std::optional<CommandBarView> FindCommandBar(const std::string& name) const;  // a live one
    void RegisterMacro(const std::string& name, std::function<void()> macro);
    // Runs the OnAction macro of button `buttonIndex` (1-based); false when
    // there is no such live bar or button, it is disabled, or the macro unknown.
    bool PressCommandBarButton(const std::string& barName, int buttonIndex);

private:
    std::shared_ptr<HostCore> core_;
};

}  // namespace brackwell::embedded
