// The pane toolbar's buttons and drop-down items. Commands that act on a
// workbook or sheet act on the tree's selected node, not on the host's active
// workbook. Failing steps are skipped; no message of the bar's own.

#include <cstdint>
#include <string>
#include <vector>

#include "commands/node_commands.h"
#include "core/failure.h"
#include "core/wayfinder.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_options.h"
#include "tree/node_key.h"

namespace brackwell {
namespace {

// The selected node turned into its workbook and (for a sheet node) sheet,
// worked out afresh for every click.
commands::NodeTargets SelectionContext(const ApplicationPtr& app, const std::shared_ptr<TreeView>& tree) {
    commands::NodeTargets context;
    IgnoreFailure([&] { context.node = Require(tree).SelectedItem(); });
    if (!context.node) return context;

    std::int32_t kind = 0;
    std::int32_t number = 0;
    IgnoreFailure([&] { kind = ParseNodeKey(context.node->Key(), number); });
    const auto workbookOfParent = [&] {
        IgnoreFailure([&] {
            context.workbook = Require(app).Workbooks()->ItemByName(Require(context.node->Parent()).Text());
        });
    };
    if (kind == node_kind::kWorkbook) {
        IgnoreFailure([&] { context.workbook = Require(app).Workbooks()->Item(number); });
    } else if (kind == node_kind::kWorksheet) {
        workbookOfParent();
        IgnoreFailure([&] { context.worksheet = Require(context.workbook).Worksheets()->Item(number); });
    } else if (kind == node_kind::kDefinedName) {
        workbookOfParent();
    }
    return context;
}

}  // namespace

void Wayfinder::clbMain_ButtonClick(const std::string& key) {
    const commands::NodeTargets selection = SelectionContext(application_, oTree_);
    if (key == "mnuOpen") {
        OpenWorkbooks();
    } else if (key == "mnuSave") {
        // Rebuilt also when saving failed.
        IgnoreFailure([&] { Require(selection.workbook).Save(); });
        RefreshTree();
    } else if (key == "mnuMapClose") {
        // The host asks about unsaved changes; its deactivate event refreshes.
        commands::CloseWorkbook(selection);
    } else if (key == "mnuTabDel") {
        commands::DeleteWorksheet(selection);
        RefreshTree();
    } else if (key == "mnuInfo") {
        ShowAbout();
    }
    // "mnuNew" itself does nothing: its menu items carry the commands.
}

void Wayfinder::clbMain_MenuItemClick(const std::string& key) {
    const commands::NodeTargets selection = SelectionContext(application_, oTree_);
    if (key == "newMap") {
        commands::NewWorkbook(application_);
    } else if (key == "newTab") {
        commands::NewWorksheet(selection);
    } else if (key == "mnuInfo") {
        ShowAbout();
    } else if (key == "mnuLink") {
        IgnoreFailure([&] { OpenUrl(component_.platform.System(), 0, kHomepage); });
    } else if (key == "mnuOpt") {
        ShowOptions();
    } else if (key == "closeAll" || key == "closeAllSaveYes" || key == "closeAllSaveNo") {
        CloseAllWorkbooks(key);
    }
}

void Wayfinder::CloseAllWorkbooks(const std::string& key) {
    // Every open workbook, hidden ones too, in the host's enumeration order.
    std::vector<WorkbookPtr> workbooks;
    IgnoreFailure([&] { workbooks = Require(application_).Workbooks()->Enumerate(); });
    for (const WorkbookPtr& wb : workbooks) {
        if (key == "closeAll") {
            // The host asks for each workbook with changes; a close the user
            // cancels is skipped. Its deactivate events run before the next.
            IgnoreFailure([&] { wb->Close(std::nullopt); });
            IgnoreFailure([&] { component_.platform.Ui().DoEvents(); });
        } else {
            IgnoreFailure([&] { wb->Close(key == "closeAllSaveYes"); });
        }
    }
}

void Wayfinder::ShowOptions() {
    // A store that refused OK's write fails the show: that step is skipped,
    // and the pane still takes the new values, which the variables hold.
    IgnoreFailure([&] {
        FrmOptions frmOptions(component_);
        frmOptions.Load();
        frmOptions.ShowModal();
    });
    // However the dialog was closed: the bar and the menus take the theme,
    // the tree the colours and the expansion setting.
    const bool theme = component_.settings.Theme;
    IgnoreFailure([&] { Require(oClb_).SetVisualStyle(theme ? 3 : 2); });
    IgnoreFailure([&] { component_.PopupMenu->SetVisualStyle(theme ? 4 : 2); });
    RefreshTree();
}

}  // namespace brackwell
