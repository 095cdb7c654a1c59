#pragma once
// The demo's own menu (German, as the host's) and what each command asks of
// the host. The commands go through the host's Application port, so the host
// fires its events and the pane hears them as it would in Excel.

#include <windows.h>

#include <functional>

#include "adapters/windows/ui/win_handles.h"
#include "host/automation_error.h"
#include "host/excel.h"

namespace brackwell::demo {

enum MenuCommand : int {
    kCommandNew = 101,      // Datei > Neu: Workbooks.Add
    kCommandOpen,           // Datei > Öffnen...: GetOpenFilename, then Workbooks.Open for each file
    kCommandSave,           // Datei > Speichern: ActiveWorkbook.Save
    kCommandSaveAs,         // Datei > Speichern unter...: Dialogs(xlDialogSaveAs).Show
    kCommandClose,          // Datei > Schließen: ActiveWorkbook.Close
    kCommandExit,           // Datei > Beenden: closes the demo window
    kCommandNewWorksheet,   // Blatt > Neues Tabellenblatt: ActiveWorkbook.Worksheets.Add
    // Datei > COM-Add-Ins > one item per add-in of the user's list, ticked
    // while loaded (Excel 2007 and later): the COM Add-ins dialog's tick boxes.
    kCommandFirstComAddIn = 600,
    kCommandLastComAddIn = 699,
};

// The menu bar: "Datei" and "Blatt"; with `comAddIns` "Datei" offers the
// submenu "COM-Add-Ins", which its window fills when it opens.
win::MenuHandle CreateDemoMenu(bool comAddIns);
// That submenu, or null.
HMENU ComAddInsMenu(HMENU bar);

// Greys out what needs an active workbook when there is none.
void UpdateDemoMenu(HMENU menu, bool haveWorkbook);

using FailureReport = std::function<void(const AutomationError&)>;

// Runs a host command (not kCommandExit). Each failure goes to `report`;
// opening several files goes on with the next file after one that fails.
// Returns false for a command that is not the host's.
bool RunHostCommand(int command, Application& app, const FailureReport& report);

}  // namespace brackwell::demo
