#pragma once
// The commands behind the node menus: what a pressed workbook, worksheet or
// defined-name node offers. Each gets the host objects the node stands for
// (any of them empty when it could not be found) and, where it writes the
// node's text or removes it, the node. Every host call that fails is skipped
// and the command goes on with its next step; the only messages are the
// rename boxes, the name-already-used message and the desktop shortcut's.

#include <memory>
#include <string>

#include "core/component.h"
#include "host/excel.h"
#include "host/tree_view.h"

namespace brackwell {

class Wayfinder;

namespace commands {

struct NodeTargets {
    WorkbookPtr workbook;
    SheetPtr worksheet;
    DefinedNamePtr name;
    TreeNodePtr node;
};

// What a command may reach besides its targets.
struct CommandContext {
    Component& component;
    ApplicationPtr app;
    std::shared_ptr<TreeView> tree;
    Wayfinder& nav;  // UpdateTree, CreateLink
};

// Runs the command of a node menu key ("mnu1" ... "mnu18", "mnuSaveAs");
// a key of no command (a dismissed menu) does nothing.
void RunNodeCommand(const CommandContext& context, const std::string& key, const NodeTargets& targets);

// The host's file-open dialog with several files allowed; opens every chosen
// file in the order of the list. Cancelling opens nothing.
void OpenWorkbooks(const ApplicationPtr& app);
void NewWorkbook(const ApplicationPtr& app);
void OpenRecentFile(const ApplicationPtr& app, const std::string& path);

// Workbook commands.
void GoToWorkbook(const NodeTargets& targets);
void NewWorksheet(const NodeTargets& targets);
void SaveWorkbook(const CommandContext& context, const NodeTargets& targets);
void SaveWorkbookAs(const CommandContext& context);
void CloseWorkbook(const NodeTargets& targets);

// Worksheet commands.
void GoToWorksheet(const NodeTargets& targets);
void RenameWorksheet(const CommandContext& context, const NodeTargets& targets);
void ToggleProtection(const CommandContext& context, const NodeTargets& targets);
void ChooseTabColor(const CommandContext& context, const NodeTargets& targets);
void CopyWorksheet(const NodeTargets& targets);
void CopyWorksheetToNewWorkbook(const NodeTargets& targets);
void MoveWorksheetToNewWorkbook(const NodeTargets& targets);
void DeleteWorksheet(const NodeTargets& targets);

// Defined-name commands.
// Selects the cells the name refers to, in whichever open workbook, through
// the range the host gives for it: the name's text would be read in the
// active workbook only, where another name may have the same text.
void GoToName(const ApplicationPtr& app, const NodeTargets& targets);
void RenameName(const CommandContext& context, const NodeTargets& targets);
void DeleteName(const CommandContext& context, const NodeTargets& targets);

}  // namespace commands
}  // namespace brackwell
