// Tree building: throws the whole tree away and rebuilds it from the host's
// current state — one node per visible workbook, under it its worksheets and
// then its defined names. Names the host keeps out of its own name dialogs
// (Visible False) stay out of the tree too; Excel's own names, such as a
// sheet's print area, are shown like any name of that sheet.

#include <optional>
#include <string>
#include <string_view>

#include "core/error_box.h"
#include "core/failure.h"
#include "core/wayfinder.h"
#include "tree/node_key.h"
#include "tree/palette.h"

namespace brackwell {
namespace {

// The line shown as "Zeile" in the error box: the step of the rebuild that
// failed (81 = first statement of the workbook loop, 851 = first of the
// worksheet loop inside it, ...).
namespace line {
constexpr std::int32_t kPendingEvents = 3;
constexpr std::int32_t kCountWorkbooks = 4;
constexpr std::int32_t kFreeze = 5;
constexpr std::int32_t kClear = 6;
constexpr std::int32_t kWorkbookItem = 81;
constexpr std::int32_t kWorkbookVisible = 82;
constexpr std::int32_t kWorkbookNode = 83;
constexpr std::int32_t kWorkbookActive = 84;
constexpr std::int32_t kCountWorksheets = 85;
constexpr std::int32_t kWorksheetItem = 851;
constexpr std::int32_t kWorksheetNode = 852;
constexpr std::int32_t kWorksheetColor = 853;
constexpr std::int32_t kWorksheetActive = 854;
constexpr std::int32_t kCountNames = 86;
constexpr std::int32_t kNameItem = 861;
constexpr std::int32_t kNameNode = 862;
constexpr std::int32_t kNameColor = 863;
}  // namespace line

namespace picture {
constexpr std::int32_t kWorkbook = 1;
constexpr std::int32_t kWorksheet = 2;
constexpr std::int32_t kDefinedName = 3;
}  // namespace picture

// `text` without its first character (a whole UTF-8 sequence).
std::string_view FromSecondCharacter(std::string_view text) {
    if (text.empty()) return text;
    std::size_t position = 1;
    while (position < text.size() && (static_cast<unsigned char>(text[position]) & 0xC0) == 0x80)
        ++position;
    return text.substr(position);
}

// The active workbook's and sheet's names, read once per rebuild and only
// when first needed.
class ActiveNames {
public:
    explicit ActiveNames(Application& app) : app_(app) {}

    const std::string& Workbook() {
        if (!workbook_) workbook_ = Require(app_.ActiveWorkbook()).Name();
        return *workbook_;
    }
    const std::string& Sheet() {
        if (!sheet_) sheet_ = Require(app_.ActiveSheet()).Name();
        return *sheet_;
    }

private:
    Application& app_;
    std::optional<std::string> workbook_;
    std::optional<std::string> sheet_;
};

}  // namespace

void Wayfinder::UpdateTree(bool bClear) {
    if (!application_) return;

    UserInterface& ui = component_.platform.Ui();
    WindowSystem& windows = component_.platform.Windows();
    const Settings& settings = component_.settings;
    // Held for the whole rebuild: a nested rebuild or a new pane may replace
    // the navigator's references meanwhile.
    const ApplicationPtr app = application_;
    std::shared_ptr<TreeView> tree;
    std::int32_t step = 0;

    try {
        step = line::kPendingEvents;
        ui.DoEvents();

        step = line::kCountWorkbooks;
        const WorkbooksPtr workbooks = app->Workbooks();
        const std::int32_t n = workbooks->Count();

        step = line::kFreeze;
        windows.LockWindowUpdate(component_.PaneHwnd);

        step = line::kClear;
        tree = oTree_;
        Require(tree).BeginUpdate();
        TreeNodes& nodes = tree->Nodes();
        nodes.Clear();

        if (!bClear && n >= 1) {
            ActiveNames active(*app);
            std::string text;  // each node's text, built in the same buffer
            for (std::int32_t i = 1; i <= n; ++i) {
                step = line::kWorkbookItem;
                const WorkbookPtr wb = workbooks->Item(i);

                step = line::kWorkbookVisible;
                if (!wb->Windows()->Item(1)->Visible()) continue;

                step = line::kWorkbookNode;
                const std::string wbName = wb->Name();
                const std::string wbKey = WorkbookKey(i);
                const TreeNodePtr wbNode =
                    nodes.Add("", TreeRelationship::Last, wbKey, wbName, picture::kWorkbook);
                wbNode->SetForeColor(settings.WBFore);

                step = line::kWorkbookActive;
                const bool isActiveWorkbook = wbName == active.Workbook();
                if (isActiveWorkbook) {
                    wbNode->SetExpanded(true);
                    wbNode->SetBold(true);
                } else {
                    wbNode->SetExpanded(settings.MapExpand);
                }

                step = line::kCountWorksheets;
                const SheetsPtr worksheets = wb->Worksheets();
                const std::int32_t m = worksheets->Count();
                for (std::int32_t j = 1; j <= m; ++j) {
                    step = line::kWorksheetItem;
                    const SheetPtr ws = worksheets->Item(j);

                    step = line::kWorksheetNode;
                    const std::string wsName = ws->Name();
                    text = wsName;
                    if (ws->ProtectContents()) text += " (geschützt)";
                    const TreeNodePtr wsNode = nodes.Add(wbKey, TreeRelationship::Child,
                                                         WorksheetKey(wbKey, j), text, picture::kWorksheet);

                    step = line::kWorksheetColor;
                    if (!settings.SetForeReg) {
                        wsNode->SetForeColor(settings.SHFore);
                    } else if (component_.HostVersion > 9) {
                        const std::int32_t index = ws->Tab()->ColorIndex();
                        wsNode->SetForeColor(index == xl::kColorIndexNone ? settings.SHFore
                                                                           : ColorIndexToRgb(index));
                    }  // older hosts have no tab colours: the tree's default colour stays

                    step = line::kWorksheetActive;
                    if (isActiveWorkbook && wsName == active.Sheet()) {
                        wsNode->SetBold(true);
                        wsNode->SetSelected(true);
                        wsNode->EnsureVisible();
                    }
                }

                step = line::kCountNames;
                const DefinedNamesPtr names = wb->Names();
                const std::int32_t p = names->Count();
                for (std::int32_t k = 1; k <= p; ++k) {
                    step = line::kNameItem;
                    const DefinedNamePtr nm = names->Item(k);
                    if (!nm->Visible()) continue;  // its key's number stays unused

                    step = line::kNameNode;
                    text = nm->Name();
                    text += " (";
                    text += FromSecondCharacter(nm->RefersTo());
                    text += ')';
                    const TreeNodePtr nameNode = nodes.Add(wbKey, TreeRelationship::Child,
                                                           NameKey(wbKey, k), text, picture::kDefinedName);

                    step = line::kNameColor;
                    nameNode->SetForeColor(settings.NameFore);
                }
            }
        }
    } catch (...) {
        // The nodes added so far stay; the box names the failing step.
        ShowErrorBox(ui, CurrentError(), step);
    }

    // Unfreezing always runs and never reports a failure.
    if (tree) IgnoreFailure([&] { tree->EndUpdate(); });
    IgnoreFailure([&] { windows.LockWindowUpdate(0); });
}

}  // namespace brackwell
