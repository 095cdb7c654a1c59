// The worksheet node's commands: go to, rename, protect or unprotect, tab
// colour, copy, copy or move into a new workbook, delete.

#include <cstdint>
#include <string>

#include "commands/node_commands.h"
#include "core/failure.h"
#include "core/vb_conversions.h"
#include "dialogs/frm_col_index.h"
#include "dialogs/frm_pwd.h"

namespace brackwell::commands {
namespace {

// The length of a text as VB counts it: UTF-16 code units.
std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) == 0x80) continue;  // continuation byte
        units += byte >= 0xF0 ? 2 : 1;        // four-byte sequences need a surrogate pair
    }
    return units;
}

void SetNodeText(const NodeTargets& targets, const std::string& text) {
    IgnoreFailure([&] { Require(targets.node).SetText(text); });
}

}  // namespace

void GoToWorksheet(const NodeTargets& targets) {
    IgnoreFailure([&] { Require(targets.worksheet).Activate(); });
}

void RenameWorksheet(const CommandContext& context, const NodeTargets& targets) {
    UserInterface& ui = context.component.platform.Ui();
    std::string typed;
    // A sheet that cannot tell its name gets no box at all.
    IgnoreFailure([&] {
        typed = ui.InputBox("Neuen Tabellennamen:", "Tabelle umbennen", Require(targets.worksheet).Name());
    });
    if (typed.empty()) return;

    // Every worksheet takes part, the renamed one too: its own name unchanged
    // is refused like any other. Chart sheets are not checked.
    bool taken = false;
    IgnoreFailure([&] {
        const SheetsPtr worksheets = Require(targets.workbook).Worksheets();
        const std::int32_t count = worksheets->Count();
        for (std::int32_t i = 1; i <= count && !taken; ++i) {
            IgnoreFailure([&] { taken = worksheets->Item(i)->Name() == typed; });
        }
    });
    if (taken) {
        // In capitals as the user's language writes them: "ΩΜΈΓΑ", "ПРИВЕТ".
        IgnoreFailure([&] {
            const std::string capitals = context.component.platform.System().UpperCase(typed);
            ui.MsgBox("Ein Tabellenblatt mit dem Namen " + capitals + " existiert bereits", msgbox::kExclamation,
                      "Abbruch");
        });
        return;
    }
    // A name the host refuses leaves the node as it was, without a word.
    if (IgnoreFailure([&] { Require(targets.worksheet).SetName(typed); })) SetNodeText(targets, typed);
}

void ToggleProtection(const CommandContext& context, const NodeTargets& targets) {
    bool isProtected = false;
    if (!IgnoreFailure([&] { isProtected = Require(targets.worksheet).ProtectContents(); })) return;
    const SheetPtr& ws = targets.worksheet;

    if (isProtected) {
        // A password, if one was set, is the host's question. The node shows
        // the bare name even when the host kept the protection: the next
        // rebuild shows the truth.
        IgnoreFailure([&] { ws->Unprotect(std::nullopt); });
        IgnoreFailure([&] { SetNodeText(targets, ws->Name()); });
        return;
    }

    FrmPwd frmPwd(context.component);
    IgnoreFailure([&] { frmPwd.Load(); });
    IgnoreFailure([&] { frmPwd.ShowModal(); });
    if (!context.component.ActivePwdForm) return;  // cancelled: the dialog is already unloaded

    std::string password;
    IgnoreFailure([&] { password = frmPwd.txtPwd().Text(); });
    if (password.empty()) {
        IgnoreFailure([&] { ws->Protect(std::nullopt); });
        IgnoreFailure([&] { SetNodeText(targets, ws->Name() + " (geschützt)"); });
    } else {
        IgnoreFailure([&] { ws->Protect(password); });
        IgnoreFailure([&] {
            SetNodeText(targets, ws->Name() + " (" + std::string(Utf16Length(password), '*') + ")");
        });
    }
    IgnoreFailure([&] { frmPwd.Unload(); });
}

void ChooseTabColor(const CommandContext& context, const NodeTargets& targets) {
    // A sheet that cannot tell its name gets no picker: there is nothing to colour.
    std::string sheetName;
    if (!IgnoreFailure([&] { sheetName = Require(targets.worksheet).Name(); })) return;

    FrmColIndex frmColIndex(context.component);
    IgnoreFailure([&] { frmColIndex.Load(); });
    IgnoreFailure([&] { frmColIndex.SetCaption(sheetName); });
    std::int32_t current = 0;
    IgnoreFailure([&] {
        current = Require(targets.worksheet).Tab()->ColorIndex();
        frmColIndex.Tag = std::to_string(current);
        if (current != xl::kColorIndexNone) frmColIndex.picCol(current).SetBorderStyle(1);
    });
    IgnoreFailure([&] { frmColIndex.ShowModal(); });
    // A cancelled picker is unloaded and its Tag empty: nothing is assigned.
    if (const auto chosen = TextToLong(frmColIndex.Tag)) {
        IgnoreFailure([&] { Require(targets.worksheet).Tab()->SetColorIndex(*chosen); });
    }
    IgnoreFailure([&] { frmColIndex.Unload(); });
}

void CopyWorksheet(const NodeTargets& targets) {
    // Behind the workbook's last sheet of any kind, chart sheets counted.
    IgnoreFailure([&] {
        const SheetsPtr sheets = Require(targets.workbook).Sheets();
        const SheetPtr last = sheets->Item(sheets->Count());
        Require(targets.worksheet).Copy(nullptr, last);
    });
}

void CopyWorksheetToNewWorkbook(const NodeTargets& targets) {
    IgnoreFailure([&] { Require(targets.worksheet).Copy(nullptr, nullptr); });
}

void MoveWorksheetToNewWorkbook(const NodeTargets& targets) {
    IgnoreFailure([&] { Require(targets.worksheet).Move(nullptr, nullptr); });
}

void DeleteWorksheet(const NodeTargets& targets) {
    // Any confirmation is the host's; the host's events bring the tree up to date.
    IgnoreFailure([&] { Require(targets.worksheet).Delete(); });
}

}  // namespace brackwell::commands
