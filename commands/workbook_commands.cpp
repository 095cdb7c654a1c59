// The workbook node's commands and the opening of workbooks that the pane
// menu and the toolbar share.

#include <string>
#include <variant>
#include <vector>

#include "commands/node_commands.h"
#include "core/failure.h"
#include "core/wayfinder.h"

namespace brackwell::commands {

void OpenWorkbooks(const ApplicationPtr& app) {
    FileChoice chosen = false;
    IgnoreFailure([&] { chosen = Require(app).GetOpenFilename(true); });
    // The tree is not rebuilt here: each opened workbook's events do it.
    if (const auto* files = std::get_if<std::vector<std::string>>(&chosen)) {
        for (const std::string& file : *files) IgnoreFailure([&] { app->Workbooks()->Open(file); });
    } else if (const auto* file = std::get_if<std::string>(&chosen)) {
        IgnoreFailure([&] { app->Workbooks()->Open(*file); });
    }  // False: the user cancelled
}

void NewWorkbook(const ApplicationPtr& app) {
    IgnoreFailure([&] { Require(app).Workbooks()->Add(); });
}

void OpenRecentFile(const ApplicationPtr& app, const std::string& path) {
    IgnoreFailure([&] { Require(app).Workbooks()->Open(path); });
}

void GoToWorkbook(const NodeTargets& targets) {
    IgnoreFailure([&] { Require(targets.workbook).Activate(); });
}

void NewWorksheet(const NodeTargets& targets) {
    IgnoreFailure([&] { Require(targets.workbook).Worksheets()->Add(); });
}

namespace {

// One of the host's own save dialogs, then a rebuild: the dialog's save may
// have renamed the workbook without an event that reports it.
void ShowSaveDialog(const CommandContext& context, std::int32_t dialog) {
    IgnoreFailure([&] { Require(context.app).Dialogs()->Item(dialog)->Show(); });
    IgnoreFailure([&] { context.component.platform.Ui().DoEvents(); });
    context.nav.UpdateTree(false);
}

}  // namespace

void SaveWorkbook(const CommandContext& context, const NodeTargets& targets) {
    std::string path;
    // A workbook that cannot be asked for its path is left alone altogether.
    if (!IgnoreFailure([&] { path = Require(targets.workbook).Path(); })) return;
    if (path.empty()) {
        // Never saved: the host's dialog asks where (for the host's active workbook).
        ShowSaveDialog(context, xl::kDialogSaveWorkbook);
    } else {
        // The host's before-save event rebuilds the tree.
        IgnoreFailure([&] { targets.workbook->Save(); });
    }
}

void SaveWorkbookAs(const CommandContext& context) { ShowSaveDialog(context, xl::kDialogSaveAs); }

void CloseWorkbook(const NodeTargets& targets) {
    // Unsaved changes are the host's question.
    IgnoreFailure([&] { Require(targets.workbook).Close(std::nullopt); });
}

}  // namespace brackwell::commands
