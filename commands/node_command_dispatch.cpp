// Which command a node menu key runs.

#include "commands/node_commands.h"
#include "core/wayfinder.h"

namespace brackwell::commands {

void RunNodeCommand(const CommandContext& context, const std::string& key, const NodeTargets& targets) {
    // Keys are compared exactly; "mnuSaveAs" is the workbook menu's sixth
    // item, "mnu6" its desktop shortcut.
    if (key == "mnu1") return GoToWorkbook(targets);
    if (key == "mnu2") return OpenWorkbooks(context.app);
    if (key == "mnu3") return NewWorkbook(context.app);
    if (key == "mnu4") return NewWorksheet(targets);
    if (key == "mnu5") return SaveWorkbook(context, targets);
    if (key == "mnuSaveAs") return SaveWorkbookAs(context);
    if (key == "mnu6") return context.nav.CreateLink(targets.workbook);
    if (key == "mnu7") return CloseWorkbook(targets);
    if (key == "mnu8") return GoToWorksheet(targets);
    if (key == "mnu9") return RenameWorksheet(context, targets);
    if (key == "mnu10") return ToggleProtection(context, targets);
    if (key == "mnu11") return ChooseTabColor(context, targets);
    if (key == "mnu12") return CopyWorksheet(targets);
    if (key == "mnu13") return CopyWorksheetToNewWorkbook(targets);
    if (key == "mnu14") return MoveWorksheetToNewWorkbook(targets);
    if (key == "mnu15") return DeleteWorksheet(targets);
    if (key == "mnu16") return GoToName(context.app, targets);
    if (key == "mnu17") return RenameName(context, targets);
    if (key == "mnu18") return DeleteName(context, targets);
}

}  // namespace brackwell::commands
