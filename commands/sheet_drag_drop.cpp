// Dragging a worksheet node onto a workbook or worksheet node copies or moves
// the sheet there: behind the workbook's last worksheet, or directly behind
// the target sheet. The Drag setting says whether to copy, move or ask.
// A failing drop ends with the system beep and no message.

#include <cstdint>
#include <string>

#include "core/failure.h"
#include "core/wayfinder.h"
#include "tree/node_key.h"

namespace brackwell {
namespace {

enum DropAction : std::int32_t { kCopy = 1, kMove = 2 };

}  // namespace

void Wayfinder::OLEStartDrag(DataObject& Data, std::int32_t&) {
    IgnoreFailure([&] { Data.Clear(); });
    // Only a worksheet node carries anything: its key as text. The selected
    // node is the one the press under the pointer selected.
    IgnoreFailure([&] {
        const TreeNodePtr node = Require(oTree_).SelectedItem();
        if (!node) return;
        std::int32_t number = 0;
        const std::string key = node->Key();
        if (ParseNodeKey(key, number) == node_kind::kWorksheet) Data.SetData(key, vb::kTextFormat);
    });
}

void Wayfinder::OLEDragOver(DataObject&, std::int32_t&, std::int16_t, std::int16_t, float x, float y,
                            std::int16_t State) {
    const std::shared_ptr<TreeView> tree = oTree_;
    if (!tree) return;
    if (State == vb::kLeaveState) {
        IgnoreFailure([&] { tree->SetDropHighlight(nullptr); });
        return;
    }
    TreeNodePtr node;
    IgnoreFailure([&] { node = tree->HitTest(x, y); });
    IgnoreFailure([&] { tree->SetDropHighlight(node); });
    // Hovering over a collapsed workbook opens it, so its sheets become targets.
    IgnoreFailure([&] {
        if (node && node->Children() > 0) node->SetExpanded(true);
    });
}

void Wayfinder::OLEDragDrop(DataObject& Data, std::int32_t&, std::int16_t, std::int16_t, float x, float y) {
    // Held for the whole drop: the refresh below replaces the tree's nodes.
    const std::shared_ptr<TreeView> tree = oTree_;
    const ApplicationPtr app = application_;
    try {
        TreeView& view = Require(tree);
        const TreeNodePtr target = view.HitTest(x, y);
        if (Data.GetFormat(vb::kTextFormat)) {
            const std::string key = Data.GetData(vb::kTextFormat);
            // No node under the drop point fails here and beeps.
            if (key == Require(target).Key()) {
                view.SetDropHighlight(nullptr);
                return;
            }
            const TreeNodePtr source = view.Nodes().Item(key);
            std::int32_t j = 0;
            ParseNodeKey(key, j);
            std::int32_t targetNumber = 0;
            const std::int32_t targetKind = ParseNodeKey(target->Key(), targetNumber);
            std::int32_t i = 0;
            ParseNodeKey(Require(source->Parent()).Key(), i);
            const WorkbooksPtr workbooks = Require(app).Workbooks();
            const SheetPtr sheet = workbooks->Item(i)->Worksheets()->Item(j);

            if (targetKind == node_kind::kWorkbook || targetKind == node_kind::kWorksheet) {
                WorkbookPtr destination;
                if (targetKind == node_kind::kWorkbook) {
                    destination = workbooks->Item(targetNumber);
                } else {
                    std::int32_t destinationNumber = 0;
                    ParseNodeKey(Require(target->Parent()).Key(), destinationNumber);
                    destination = workbooks->Item(destinationNumber);
                }
                std::int32_t action = 0;
                switch (component_.settings.Drag) {
                case 1: action = AskDropAction(); break;
                case 2: action = kCopy; break;
                case 3: action = kMove; break;
                default: break;  // any other stored value: neither
                }
                if (action == kCopy || action == kMove) {
                    const SheetsPtr worksheets = destination->Worksheets();
                    const SheetPtr anchor = targetKind == node_kind::kWorkbook
                                                ? worksheets->Item(worksheets->Count())
                                                : worksheets->Item(targetNumber);
                    if (action == kCopy) {
                        sheet->Copy(nullptr, anchor);
                    } else {
                        sheet->Move(nullptr, anchor);
                    }
                }
                // Also when nothing was chosen: the host's events first, then our own rebuild.
                component_.platform.Ui().DoEvents();
                UpdateTree(false);
            }  // a defined name is no target

            view.SetDropHighlight(nullptr);
            // Every workbook stands open after a drop, whatever MapExpand says.
            for (const TreeNodePtr& node : view.Nodes().Enumerate()) {
                if (node->Children() > 0) node->SetExpanded(true);
            }
        }
    } catch (...) {
        // A copy or move the host already carried out stays.
        IgnoreFailure([&] { component_.platform.Ui().Beep(); });
    }
    IgnoreFailure([&] { Require(tree).SetDropHighlight(nullptr); });
}

std::int32_t Wayfinder::AskDropAction() {
    PopupMenu& menu = *component_.PopupMenu;
    menu.ClearItems();
    menu.AddItem("Kopieren ..", "", 6603, true);
    menu.AddItem("Verschieben ..", "", 6606, true);
    menu.AddItem("-", "", std::nullopt, true);
    menu.AddItem("Abbrechen", "", std::nullopt, true);
    return menu.ShowPopup(-1, -1);
}

}  // namespace brackwell
