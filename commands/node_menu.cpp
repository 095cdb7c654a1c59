// A press in the pane's tree: the node under the pointer becomes the
// selection; a left or middle press goes to the workbook, sheet or named
// range; a right press opens the node's menu (or the pane menu where there is
// no node) and runs the chosen command. Failing steps are skipped silently.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "commands/node_commands.h"
#include "core/failure.h"
#include "core/wayfinder.h"
#include "dialogs/frm_about.h"
#include "tree/node_key.h"

namespace brackwell {
namespace {

struct MenuRow {
    const char* caption;
    const char* key;
    std::optional<std::int32_t> image;
};

const std::vector<MenuRow> kWorkbookMenu = {
    {"Gehe zu..", "mnu1", 6923},
    {"Öffnen", "mnu2", 6114},
    {"Neue Mappe", "mnu3", 6601},
    {"Neues Tabellenblatt", "mnu4", 6605},
    {"Speichern", "mnu5", 6122},
    {"Speichern unter..", "mnuSaveAs", 6122},
    {"Desktopverknüpfung erstellen", "mnu6", 6816},
    {"-", "", std::nullopt},
    {"Schließen", "mnu7", 6400},
};

const std::vector<MenuRow> kNameMenu = {
    {"Gehe zu..", "mnu16", 6923},
    {"Umbennen", "mnu17", 6405},
    {"-", "", std::nullopt},
    {"Löschen", "mnu18", 6404},
};

constexpr std::int16_t kRight = vb::kRightButton;

void AddRow(PopupMenu& menu, const MenuRow& row, bool enabled = true) {
    IgnoreFailure([&] { menu.AddItem(row.caption, row.key, row.image, enabled); });
}

void BuildMenu(PopupMenu& menu, const std::vector<MenuRow>& rows) {
    IgnoreFailure([&] { menu.ClearItems(); });
    for (const MenuRow& row : rows) AddRow(menu, row);
}

// The worksheet menu: item 3 names and checks the protection state, item 4
// needs a host with tab colours.
void BuildWorksheetMenu(PopupMenu& menu, bool isProtected, bool tabColors) {
    IgnoreFailure([&] { menu.ClearItems(); });
    AddRow(menu, {"Gehe zu..", "mnu8", 6923});
    AddRow(menu, {"Umbennen", "mnu9", 6608});
    AddRow(menu, {isProtected ? "Blattschutz aufheben" : "Blattschutz", "mnu10", 6931});
    IgnoreFailure([&] { menu.SetItemChecked("mnu10", isProtected); });
    AddRow(menu, {"Registerfarbe", "mnu11", 6915}, tabColors);
    AddRow(menu, {"Kopieren", "mnu12", 6606});
    AddRow(menu, {"Kopieren in neue Mappe", "mnu13", 6609});
    AddRow(menu, {"Verschieben in neue Mappe", "mnu14", 6601});
    AddRow(menu, {"-", "", std::nullopt});
    AddRow(menu, {"Löschen", "mnu15", 6607});
}

}  // namespace

void Wayfinder::NodeMouseDown(std::int16_t Button, std::int16_t, float x, float y) {
    // Held for the whole press: a command may rebuild the tree or replace
    // the navigator's references meanwhile.
    const std::shared_ptr<TreeView> tree = oTree_;
    const ApplicationPtr app = application_;
    PopupMenu& menu = *component_.PopupMenu;

    TreeNodePtr node;
    IgnoreFailure([&] { node = Require(tree).HitTest(x, y); });
    // Every press selects, also where there is no node: the toolbar acts on the selection.
    IgnoreFailure([&] { Require(tree).SetSelectedItem(node); });
    if (!node) {
        if (Button == kRight) ShowPaneMenu();
        return;
    }

    std::int32_t kind = 0;
    std::int32_t number = 0;
    IgnoreFailure([&] { kind = ParseNodeKey(node->Key(), number); });

    commands::NodeTargets targets;
    targets.node = node;
    // Sheet and name nodes find their workbook by the parent node's text,
    // which is the workbook's name.
    const auto workbookOfParent = [&] {
        IgnoreFailure(
            [&] { targets.workbook = Require(app).Workbooks()->ItemByName(Require(node->Parent()).Text()); });
    };
    const auto enableSheetDelete = [&](bool enabled) {
        IgnoreFailure([&] { Require(oClb_).SetButtonEnabled("mnuTabDel", enabled); });
    };

    std::int32_t chosen = 0;
    switch (kind) {
    case node_kind::kWorkbook:
        IgnoreFailure([&] { targets.workbook = Require(app).Workbooks()->Item(number); });
        enableSheetDelete(false);
        if (Button == kRight) {
            BuildMenu(menu, kWorkbookMenu);
            IgnoreFailure([&] { chosen = menu.ShowPopup(-1, -1); });
        } else {
            commands::GoToWorkbook(targets);
        }
        break;
    case node_kind::kWorksheet:
        workbookOfParent();
        IgnoreFailure([&] { targets.worksheet = Require(targets.workbook).Worksheets()->Item(number); });
        enableSheetDelete(true);
        if (Button == kRight) {
            bool isProtected = false;
            IgnoreFailure([&] { isProtected = Require(targets.worksheet).ProtectContents(); });
            BuildWorksheetMenu(menu, isProtected, component_.HostVersion > 9);
            IgnoreFailure([&] { chosen = menu.ShowPopup(-1, -1); });
        } else {
            commands::GoToWorksheet(targets);
        }
        break;
    case node_kind::kDefinedName:
        workbookOfParent();
        IgnoreFailure([&] { targets.name = Require(targets.workbook).Names()->Item(number); });
        enableSheetDelete(false);
        if (Button == kRight) {
            BuildMenu(menu, kNameMenu);
            IgnoreFailure([&] { chosen = menu.ShowPopup(-1, -1); });
        } else {
            commands::GoToName(app, targets);
        }
        break;
    default:
        break;
    }

    if (Button == kRight) {
        std::string key;
        IgnoreFailure([&] { key = menu.ItemKey(chosen); });
        commands::RunNodeCommand({component_, app, tree, *this}, key, targets);
    }
}

void Wayfinder::ShowPaneMenu() {
    const ApplicationPtr app = application_;
    PopupMenu& menu = *component_.PopupMenu;

    std::int32_t count = 0;
    IgnoreFailure([&] { count = Require(app).RecentFiles()->Count(); });
    IgnoreFailure([&] { menu.ClearItems(); });
    AddRow(menu, {"Öffnen..", "", 6114});
    AddRow(menu, {"Neue Arbeitsmappe", "", 6601});
    AddRow(menu, {"-", "", std::nullopt});
    AddRow(menu, {"Info", "", 6925});
    if (count >= 1) {
        AddRow(menu, {"-", "", std::nullopt});
        for (std::int32_t i = 1; i <= count; ++i) {
            IgnoreFailure([&] {
                const RecentFilePtr file = app->RecentFiles()->Item(i);
                menu.AddItem(std::to_string(i) + ".. " + file->Name(), file->Path(), 6413, true);
            });
        }
    }

    std::int32_t chosen = 0;
    IgnoreFailure([&] { chosen = menu.ShowPopup(-1, -1); });
    // The pane menu goes by position, not by key.
    if (chosen == 1) {
        OpenWorkbooks();
    } else if (chosen == 2) {
        commands::NewWorkbook(app);
    } else if (chosen == 4) {
        ShowAbout();
    } else if (chosen > 5) {
        std::string path;
        if (IgnoreFailure([&] { path = menu.ItemKey(chosen); })) commands::OpenRecentFile(app, path);
    }
}

void Wayfinder::OpenWorkbooks() { commands::OpenWorkbooks(application_); }

void Wayfinder::ShowAbout() { IgnoreFailure([&] { brackwell::ShowAbout(component_); }); }

}  // namespace brackwell
