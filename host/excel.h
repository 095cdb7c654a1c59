#pragma once
// The spreadsheet host's object model as the component uses it: the objects and
// members the component calls, and the seven application events it follows.
//
// Every member is one call into the host (one IDispatch::Invoke for the Windows
// adapter), so a caller that reads a collection and then an item makes two calls.
// Any call may fail with AutomationError (number and description as the host
// gives them). Objects are reference-counted through shared_ptr; an empty
// pointer is the host's Nothing, returned only where a member says so (every
// other member returns an object or fails). Texts are UTF-8.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/window_handle.h"

namespace brackwell {

class Application;
class Workbooks;
class Workbook;
class Windows;
class Window;
class Sheets;
class Sheet;
class Tab;
class DefinedNames;
class DefinedName;
class Range;
class RecentFiles;
class RecentFile;
class Dialogs;
class Dialog;
class CommandBars;
class CommandBar;
class CommandBarControls;
class CommandBarButton;

using ApplicationPtr = std::shared_ptr<Application>;
using WorkbooksPtr = std::shared_ptr<Workbooks>;
using WorkbookPtr = std::shared_ptr<Workbook>;
using WindowsPtr = std::shared_ptr<Windows>;
using WindowPtr = std::shared_ptr<Window>;
using SheetsPtr = std::shared_ptr<Sheets>;
using SheetPtr = std::shared_ptr<Sheet>;
using TabPtr = std::shared_ptr<Tab>;
using DefinedNamesPtr = std::shared_ptr<DefinedNames>;
using DefinedNamePtr = std::shared_ptr<DefinedName>;
using RangePtr = std::shared_ptr<Range>;
using RecentFilesPtr = std::shared_ptr<RecentFiles>;
using RecentFilePtr = std::shared_ptr<RecentFile>;
using DialogsPtr = std::shared_ptr<Dialogs>;
using DialogPtr = std::shared_ptr<Dialog>;
using CommandBarsPtr = std::shared_ptr<CommandBars>;
using CommandBarPtr = std::shared_ptr<CommandBar>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;
using CommandBarButtonPtr = std::shared_ptr<CommandBarButton>;

// Host constants the component passes or compares.
namespace xl {
inline constexpr std::int32_t kColorIndexNone = -4142;
inline constexpr std::int32_t kDialogSaveAs = 5;
inline constexpr std::int32_t kDialogSaveWorkbook = 145;
inline constexpr std::int32_t kBarLeft = 0;          // msoBarLeft
inline constexpr std::int32_t kControlButton = 1;    // msoControlButton
inline constexpr std::int32_t kButtonIconAndWrapCaption = 7;
}  // namespace xl

// The result of GetOpenFilename: False when the user cancelled, one file name,
// or (with multiple selection) the list of chosen file names.
using FileChoice = std::variant<bool, std::string, std::vector<std::string>>;

// The application events the component follows. The host calls them one at a
// time on its user-interface thread; a sheet argument may be a worksheet or a
// chart sheet.
class AppEvents {
public:
    virtual void WorkbookDeactivate(const WorkbookPtr& wb) = 0;
    virtual void WorkbookOpen(const WorkbookPtr& wb) = 0;
    virtual void WorkbookActivate(const WorkbookPtr& wb) = 0;
    virtual void NewWorkbook(const WorkbookPtr& wb) = 0;
    virtual void WorkbookNewSheet(const WorkbookPtr& wb, const SheetPtr& sh) = 0;
    virtual void WorkbookBeforeSave(const WorkbookPtr& wb, bool saveAsUi, bool& cancel) = 0;
    virtual void SheetActivate(const SheetPtr& sh) = 0;
    // A workbook window became active or stopped being so (Excel 2013 and
    // later give every workbook a top-level window of its own).
    virtual void WindowActivate(const WorkbookPtr& wb, const WindowPtr& wn) = 0;
    virtual void WindowDeactivate(const WorkbookPtr& wb, const WindowPtr& wn) = 0;

protected:
    ~AppEvents() = default;
};

// A live event subscription; destroying it detaches the sink.
class EventConnection {
public:
    virtual ~EventConnection() = default;
};

class Application {
public:
    virtual ~Application() = default;

    // Attaches `sink` to the application events until the returned connection
    // is destroyed. Fails when the host offers no events.
    virtual std::unique_ptr<EventConnection> Advise(AppEvents& sink) = 0;

    virtual std::string Version() = 0;       // "9.0", "11.0", "12.0" ...
    // The main window; from Excel 2013 on, the active workbook's window.
    virtual WindowHandle Hwnd() = 0;
    virtual WorkbookPtr ActiveWorkbook() = 0;  // empty when no workbook window is open
    virtual SheetPtr ActiveSheet() = 0;        // empty when no sheet is active
    virtual WorkbooksPtr Workbooks() = 0;
    virtual WindowsPtr Windows() = 0;          // every workbook's windows, the active one first
    virtual WindowPtr ActiveWindow() = 0;      // empty when no workbook window is open
    virtual CommandBarsPtr CommandBars() = 0;
    virtual FileChoice GetOpenFilename(bool multiSelect) = 0;  // filter, title, button text omitted
    virtual DialogsPtr Dialogs() = 0;
    // Reference: a cell reference in R1C1 notation; scroll omitted.
    virtual void Goto(const std::string& reference) = 0;
    // Reference: a Range of this host (any workbook's); scroll omitted.
    virtual void Goto(const RangePtr& reference) = 0;
    virtual RecentFilesPtr RecentFiles() = 0;
};

class Workbooks {
public:
    virtual ~Workbooks() = default;
    virtual std::int32_t Count() = 0;
    virtual WorkbookPtr Item(std::int32_t index) = 0;           // 1-based; missing item fails
    virtual WorkbookPtr ItemByName(const std::string& name) = 0;  // missing item fails
    virtual std::vector<WorkbookPtr> Enumerate() = 0;           // For Each order
    virtual WorkbookPtr Add() = 0;                              // template omitted
    virtual WorkbookPtr Open(const std::string& fileName) = 0;  // every other argument omitted
};

class Workbook {
public:
    virtual ~Workbook() = default;
    virtual std::string Name() = 0;
    virtual std::string FullName() = 0;
    virtual std::string Path() = 0;  // empty until saved
    virtual WindowsPtr Windows() = 0;
    virtual bool IsAddin() = 0;
    virtual void Activate() = 0;
    virtual void Save() = 0;
    // SaveChanges omitted (the host asks), True or False; file name and routing omitted.
    virtual void Close(std::optional<bool> saveChanges) = 0;
    virtual SheetsPtr Worksheets() = 0;  // worksheets only, tab order
    virtual SheetsPtr Sheets() = 0;      // all sheets, chart sheets included, tab order
    virtual DefinedNamesPtr Names() = 0;        // workbook- and sheet-level names
};

class Windows {
public:
    virtual ~Windows() = default;
    virtual std::int32_t Count() = 0;
    virtual WindowPtr Item(std::int32_t index) = 0;
};

class Window {
public:
    virtual ~Window() = default;
    virtual bool Visible() = 0;
    // The window's own top-level window; Excel 2013 and later only (older
    // hosts fail with error 438).
    virtual WindowHandle Hwnd() = 0;
};

// The Worksheets and the Sheets collection of a workbook.
class Sheets {
public:
    virtual ~Sheets() = default;
    virtual std::int32_t Count() = 0;
    virtual SheetPtr Item(std::int32_t index) = 0;
    virtual SheetPtr ItemByName(const std::string& name) = 0;
    virtual SheetPtr Add() = 0;  // before, after, count and type omitted
};

// A sheet, reached late-bound: members that only worksheets have fail with
// error 438 on a chart sheet.
class Sheet {
public:
    virtual ~Sheet() = default;
    virtual std::string Name() = 0;
    virtual void SetName(const std::string& name) = 0;  // a refused name fails
    virtual bool ProtectContents() = 0;
    virtual void Protect(const std::optional<std::string>& password) = 0;    // other options omitted
    virtual void Unprotect(const std::optional<std::string>& password) = 0;  // omitted: the host asks if needed
    virtual TabPtr Tab() = 0;
    virtual void Activate() = 0;
    virtual void Delete() = 0;
    // Exactly one anchor, or none: then the sheet goes into a new workbook.
    virtual void Copy(const SheetPtr& before, const SheetPtr& after) = 0;
    virtual void Move(const SheetPtr& before, const SheetPtr& after) = 0;
};

class Tab {
public:
    virtual ~Tab() = default;
    virtual std::int32_t ColorIndex() = 0;  // 1..56, or xl::kColorIndexNone
    virtual void SetColorIndex(std::int32_t index) = 0;
};

// The host's Names collection and its Name objects.
class DefinedNames {
public:
    virtual ~DefinedNames() = default;
    virtual std::int32_t Count() = 0;
    virtual DefinedNamePtr Item(std::int32_t index) = 0;
};

class DefinedName {
public:
    virtual ~DefinedName() = default;
    // "Daten", "Tabelle1!Daten" for a sheet-level name, "'Q1 2024'!Print_Area"
    // for a sheet's print area (built-in names in English, whatever the language).
    virtual std::string Name() = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual std::string RefersTo() = 0;  // starts with "="
    virtual bool Visible() = 0;  // False: left out of the host's own name dialogs
    // The cells the name refers to; fails for a constant, a formula, #REF!
    // or a workbook that is not open.
    virtual RangePtr RefersToRange() = 0;
    virtual void Delete() = 0;
};

// A range of cells, reached through a name and handed back to the host.
class Range {
public:
    virtual ~Range() = default;
};

class RecentFiles {
public:
    virtual ~RecentFiles() = default;
    virtual std::int32_t Count() = 0;
    virtual RecentFilePtr Item(std::int32_t index) = 0;
};

class RecentFile {
public:
    virtual ~RecentFile() = default;
    virtual std::string Name() = 0;
    virtual std::string Path() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual DialogPtr Item(std::int32_t index) = 0;
};

class Dialog {
public:
    virtual ~Dialog() = default;
    virtual bool Show() = 0;  // True for OK, False for cancel
};

class CommandBars {
public:
    virtual ~CommandBars() = default;
    virtual CommandBarPtr Add(const std::string& name, std::int32_t position, bool menuBar,
                              bool temporary) = 0;
};

class CommandBar {
public:
    virtual ~CommandBar() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetProtection(std::int32_t protection) = 0;
    virtual CommandBarControlsPtr Controls() = 0;
    virtual void Delete() = 0;
};

class CommandBarControls {
public:
    virtual ~CommandBarControls() = default;
    virtual CommandBarButtonPtr Add(std::int32_t type) = 0;
};

class CommandBarButton {
public:
    virtual ~CommandBarButton() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetStyle(std::int32_t style) = 0;
    virtual void SetTooltipText(const std::string& text) = 0;
    virtual void SetFaceId(std::int32_t faceId) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetHeight(std::int32_t height) = 0;
    virtual void SetWidth(std::int32_t width) = 0;
    virtual void SetOnAction(const std::string& macro) = 0;
};

}  // namespace brackwell
