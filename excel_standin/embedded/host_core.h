#pragma once
// The embedded spreadsheet host's model and every operation on it. Port
// objects pass the call gate and hand over to these members; the set-up
// functions of EmbeddedExcel call them directly, so they count nothing and
// (where said) fire nothing.
//
// Reentrancy: an operation that fires an event looks at the model again after
// the event, because a handler may have closed, activated or changed anything
// meanwhile. No iterator or reference into a collection is held across a firing.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel_standin/embedded/call_gate.h"
#include "excel_standin/embedded/cell_reference.h"
#include "excel_standin/embedded/command_bars.h"
#include "excel_standin/embedded/event_hub.h"
#include "excel_standin/embedded/model_objects.h"
#include "excel_standin/embedded/scripted_user.h"
#include "excel_standin/embedded/sheet_references.h"
#include "excel_standin/embedded/workbook_content.h"
#include "excel_standin/embedded/workbook_files.h"
#include "host/excel.h"

namespace brackwell::embedded {

// Where the cursor stands: the active workbook's active sheet and its selection.
struct SelectionView {
    std::string workbook;
    std::string sheet;
    std::string range;  // absolute A1 address, "$A$1:$B$9"
};

class HostCore : public std::enable_shared_from_this<HostCore> {
    // Only Create can make a core: everything it hands out holds it weakly,
    // so it must live in a shared_ptr from the start.
    struct CreateKey {
        explicit CreateKey() = default;
    };

public:
    using WbObj = std::shared_ptr<WorkbookObject>;
    using ShObj = std::shared_ptr<SheetObject>;
    using NmObj = std::shared_ptr<NameObject>;

    static std::shared_ptr<HostCore> Create(std::string version);
    HostCore(CreateKey, std::string version);
    HostCore(const HostCore&) = delete;
    HostCore& operator=(const HostCore&) = delete;

    CallGate& Gate() { return gate_; }
    EventHub& Events() { return *events_; }
    const EventHub& Events() const { return *events_; }
    ScriptedUser& User() { return user_; }
    CommandBarRegistry& Bars() { return bars_; }
    const CommandBarRegistry& Bars() const { return bars_; }
    WorkbookFiles& Files() { return *files_; }
    MemoryWorkbookFiles& MemoryFiles() { return *memoryFiles_; }
    void SetFiles(std::shared_ptr<WorkbookFiles> files);
    // The host's own events are queued instead of fired (Excel out of process).
    void SetDeferEvents(bool defer) { deferEvents_ = defer; }

    // --- settings
    const std::string& Version() const { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }
    int MajorVersion() const;
    // Excel 2013 and later: every workbook has a top-level window of its own
    // (Window.Hwnd; Application.Hwnd is the active one's).
    bool WindowPerWorkbook() const { return MajorVersion() >= 15; }
    GridLimits Grid() const { return GridForVersion(MajorVersion()); }
    WindowHandle Hwnd() const { return hwnd_; }
    void SetHwnd(WindowHandle hwnd) { hwnd_ = hwnd; }
    void SetSheetsInNewWorkbook(int count);
    void SetDefaultFilePath(std::string path) { defaultPath_ = std::move(path); }
    void SetMaxRecentFiles(int count);
    // Who makes a workbook's own window when the host gives each workbook
    // one, and takes it away when the workbook closes. Workbooks open now
    // get theirs at once.
    void SetWindowMaker(std::function<WindowHandle(const std::string& caption)> create,
                        std::function<void(WindowHandle)> destroy);

    // --- Application
    ApplicationPtr App();
    WbObj ActiveWorkbook() const { return active_; }
    ShObj ActiveSheet() const;
    FileChoice GetOpenFilename(bool multiSelect);
    bool ShowDialog(std::int32_t number);
    const std::vector<std::int32_t>& ShownDialogs() const { return shownDialogs_; }
    void Goto(const std::string& reference);
    void Goto(const RangeObject& range);
    const std::vector<std::string>& RecentFilePaths() const { return recentFiles_; }
    void AddRecentFile(const std::string& fullPath);
    SelectionView Selection() const;
    WindowPtr WindowOf(const WbObj& wb);
    // The workbooks whose windows Application.Windows lists, in its order:
    // the active window first, then the others from the most recently active.
    std::vector<WbObj> WindowOrder() const;
    WindowHandle WindowHwnd(const WbObj& wb) const;

    // --- Workbooks
    std::int32_t WorkbookCount() const { return static_cast<std::int32_t>(workbooks_.size()); }
    WbObj WorkbookAt(std::int32_t index) const;
    WbObj WorkbookByName(const std::string& name) const;
    std::vector<WbObj> OpenWorkbooks() const { return workbooks_; }
    WbObj AddWorkbook();
    WbObj OpenWorkbook(const std::string& fileName);

    // --- Workbook
    std::string FullNameOf(const WorkbookObject& wb) const;
    void ActivateWorkbook(const WbObj& wb);
    void SaveWorkbook(const WbObj& wb);
    void CloseWorkbook(const WbObj& wb, std::optional<bool> saveChanges);

    // --- Sheets
    std::vector<ShObj> SheetList(const WorkbookObject& wb, bool worksheetsOnly) const;
    ShObj SheetAt(const WorkbookObject& wb, bool worksheetsOnly, std::int32_t index) const;
    ShObj SheetByName(const WorkbookObject& wb, bool worksheetsOnly, const std::string& name) const;
    ShObj AddWorksheet(const WbObj& wb);
    void RenameSheet(const ShObj& sheet, const std::string& name);
    void ProtectSheet(const ShObj& sheet, const std::optional<std::string>& password);
    void UnprotectSheet(const ShObj& sheet, const std::optional<std::string>& password);
    void SetTabColor(const ShObj& sheet, std::int32_t index);
    void ActivateSheet(const ShObj& sheet);
    void DeleteSheet(const ShObj& sheet);
    void CopySheet(const ShObj& sheet, const SheetPtr& before, const SheetPtr& after);
    void MoveSheet(const ShObj& sheet, const SheetPtr& before, const SheetPtr& after);

    // --- Names
    std::string NameText(const NameObject& name) const;
    RangePtr RefersToRange(const NameObject& name);
    void RenameName(const NmObj& name, const std::string& text);
    void DeleteName(const NmObj& name);

    // --- silent set-up: no events, no call counting
    WbObj CreateWorkbook(const std::string& name, const std::vector<std::string>& worksheetNames,
                         const std::string& path);
    ShObj InsertSheetSilently(const WbObj& wb, const std::string& name, SheetKind kind, int position);
    NmObj AddNameSilently(const WbObj& wb, const std::string& name, const std::string& refersTo,
                          const ShObj& scope);
    void SetNameVisibleSilently(const NmObj& name, bool visible);
    WbObj AddAddin(const std::string& name, const std::string& path);
    void SetWindowVisible(const WbObj& wb, bool visible);
    void SetSheetVisible(const ShObj& sheet, bool visible);
    void ActivateSilently(const WbObj& wb, const ShObj& sheet);
    void SetSheetProtectionSilently(const ShObj& sheet, bool isProtected, const std::string& password);
    void SetTabColorSilently(const ShObj& sheet, std::int32_t colorIndex);
    void SetSaved(const WbObj& wb, bool saved) { wb->saved_ = saved; }
    bool Saved(const WbObj& wb) const { return wb->saved_; }
    void SetReadOnly(const WbObj& wb, bool readOnly) { wb->readOnly_ = readOnly; }
    WorkbookContent ContentOf(const WorkbookObject& wb) const;
    void RegisterMacro(const std::string& name, std::function<void()> macro);
    bool PressCommandBarButton(const std::string& barName, int buttonIndex);

private:
    // --- shared helpers (host_core.cpp)
    static WbObj OwnerOf(const SheetObject& sheet);
    void MarkDirty(WorkbookObject& wb) { wb.saved_ = false; }
    void Fire(EventKind kind, const WbObj& wb, const ShObj& sheet = nullptr);
    // Workbooks enter and leave the collection with their window.
    void AppendWorkbook(const WbObj& wb);
    void MakeWindow(WorkbookObject& wb);
    bool FireBeforeSave(const WbObj& wb, bool saveAsUi);
    void MakeActive(const WbObj& wb);
    // Deactivate(old) before the switch, then `announce` (NewWorkbook,
    // WorkbookOpen) and WorkbookActivate(target) after it.
    void SwitchActiveWorkbook(const WbObj& target, std::optional<EventKind> announce);
    WbObj MostRecentlyActiveVisible() const;
    std::string NextWorkbookName();
    void NoteWorkbookName(const std::string& name);
    WbObj NewWorkbookObject(std::string name);
    ShObj NewSheet(const WbObj& owner, std::string name, SheetKind kind);
    WbObj FindOpenByName(std::string_view name, const WorkbookObject* except) const;

    // --- sheets (sheet_operations.cpp)
    bool SheetNameTaken(const WorkbookObject& wb, std::string_view name, const SheetObject* except) const;
    static ShObj SheetByNameOrNull(const WorkbookObject& wb, std::string_view name);
    static int VisibleSheetCount(const WorkbookObject& wb);
    static ShObj NeighbourAfterLeaving(const WorkbookObject& wb, const SheetObject& leaving);
    std::string NextWorksheetName(WorkbookObject& wb);
    // Takes the sheet out of its workbook and picks the workbook's next active sheet.
    void DetachSheet(WorkbookObject& wb, const ShObj& sheet);
    void DisconnectSheet(SheetObject& sheet);
    // Makes `sheet` the active sheet of its workbook, switching workbooks when
    // `switchWorkbook`; fires SheetActivate when the active sheet changed.
    void ShowSheet(const ShObj& sheet, bool switchWorkbook);
    static std::string SheetClassName(const SheetObject& sheet);

    // --- copy and move (sheet_transfer.cpp)
    struct Anchor {
        ShObj sheet;
        bool after = false;
    };
    Anchor ResolveAnchor(const SheetPtr& before, const SheetPtr& after, const char* method,
                         const SheetObject& moving) const;
    static void InsertAt(WorkbookObject& wb, const ShObj& sheet, const Anchor& anchor);
    ShObj CloneSheet(const ShObj& source, const WbObj& destination, std::string name);
    void CarryNames(const ShObj& source, const ShObj& copy, bool move);
    void FinishTransfer(const ShObj& arrived, const WbObj& destination, bool newWorkbook);

    // --- names (defined_names.cpp)
    void SortNames(WorkbookObject& wb);
    NmObj FindName(const WorkbookObject& wb, std::string_view bare, const SheetObject* scope) const;
    void CheckNewName(const WorkbookObject& wb, const std::string& bare, const SheetObject* scope,
                      const NameObject* except) const;
    void RewriteAllRefersTo(WorkbookObject& wb, const SheetReferenceRewrite& rewrite);
    // Keep RefersTo texts in every open workbook pointing where they did.
    void OnSheetRenamed(WorkbookObject& wb, const std::string& oldName, const std::string& newName);
    void OnSheetDeleted(WorkbookObject& wb, const SheetObject& sheet);
    void OnWorkbookRenamed(const std::string& oldName, const std::string& newName);
    void ForEachNameInOpenWorkbooks(const std::function<void(WorkbookObject&, NameObject&)>& visit);
    // `name` as files spell it ("_xlnm.Print_Area" for a built-in one);
    // `like` gives the new name its visibility.
    NmObj InsertName(const WbObj& wb, std::string_view name, std::string refersTo, const ShObj& scope,
                     const NameObject* like = nullptr);
    static std::string FileSpelling(const NameObject& name);

    // --- saving (workbook_lifecycle.cpp)
    // Saves to the workbook's own file, or asks for a path when it has none
    // (or is read-only). False when the user or a BeforeSave sink cancelled.
    bool SaveForClose(const WbObj& wb);
    bool SaveInPlace(const WbObj& wb);
    bool SaveAsWithDialog(const WbObj& wb);
    std::string DefaultExtension() const;
    void WriteFile(const WbObj& wb, const std::string& fullPath);
    WbObj BuildWorkbook(const std::string& fullPath, const LoadedWorkbook& loaded);
    void RemoveWorkbook(const WbObj& wb);
    static void InitSheetCounter(WorkbookObject& wb);

    // --- Goto (goto.cpp)
    struct GotoTarget {
        ShObj sheet;
        std::string range;
    };
    GotoTarget ResolveGoto(const std::string& reference) const;
    // The cells a name refers to; none for a constant, a formula, #REF! or
    // a workbook that is not open.
    std::optional<GotoTarget> ResolveNameTarget(const WorkbookObject& wb, const NameObject& name) const;
    void SelectTarget(const GotoTarget& target);  // with its sheet shown

    std::string version_;
    WindowHandle hwnd_ = 0;
    int sheetsInNewWorkbook_ = 3;
    std::string defaultPath_ = "C:\\Users\\Benutzer\\Dokumente";
    std::size_t maxRecentFiles_ = 9;
    bool deferEvents_ = false;

    CallGate gate_;
    std::shared_ptr<EventHub> events_;
    ScriptedUser user_;
    CommandBarRegistry bars_;
    std::shared_ptr<MemoryWorkbookFiles> memoryFiles_;
    std::shared_ptr<WorkbookFiles> files_;
    std::map<std::string, std::function<void()>> macros_;
    std::function<WindowHandle(const std::string&)> createWindow_;
    std::function<void(WindowHandle)> destroyWindow_;
    ApplicationPtr app_;

    std::vector<WbObj> workbooks_;  // Workbooks collection order
    std::vector<WbObj> addins_;     // reachable by name only
    WbObj active_;                  // always a visible, open workbook, or none
    std::uint64_t activationClock_ = 0;
    int nextWorkbookNumber_ = 1;
    std::vector<std::string> recentFiles_;  // full paths, most recent first
    std::vector<std::int32_t> shownDialogs_;  // built-in dialogs by number, in order
};

}  // namespace brackwell::embedded
