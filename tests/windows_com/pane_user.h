#pragma once
// A person at the pane of the real brackwell.dll: real presses on the tree's
// items and real clicks on the pane's bar, and on a thread of its own the
// answers to whatever opens modally (the popup menus, the input boxes, the
// dialogs, the host's own questions), each read back as it shows. The host
// behind the automation facade asks its questions with the demo's real
// dialogs and keeps its workbooks as real files in a folder of the test's.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel_standin/xlsx/xlsx_workbook_files.h"
#include "apps/demo/dialog_user.h"
#include "host/toolbar.h"
#include "tests/windows_com/navigator_fixture.h"
#include "tests/windows_ui/dialog_user_thread.h"

namespace brackwell::win::test {

// Tree rows (two blanks per level) and menu captions as the user reads them.
using Items = std::vector<std::wstring>;
using Captions = std::vector<std::wstring>;

// The window classes of a popup menu and of the component's dialogs.
inline constexpr wchar_t kMenu[] = L"#32768";
inline constexpr wchar_t kForm[] = L"BrackwellDialog";

// A popup menu as it shows: captions (empty for a separator) and states.
struct ShownMenu {
    std::vector<std::wstring> captions;
    std::vector<UINT> states;
    UINT StateOf(const std::wstring& caption) const;
};
ShownMenu ReadMenu(HWND menuWindow);
// The keyboard's way to an item: Down until it is marked, then Enter.
void ChooseFromMenu(HWND menuWindow, const std::wstring& caption);

// A title, a text beside the field or in the box, and the field's text.
struct SeenDialog {
    std::wstring title;
    std::wstring text;
    std::wstring field;
};
// The input box (or the host's password question) once it shows: read, then
// its text replaced by `typed` and OK clicked; "Abbrechen" without `typed`.
SeenDialog AnswerInputBox(DialogUserThread& u, const std::optional<std::wstring>& typed);
// The host's question with OK and "Abbrechen" (a message box), read and answered.
SeenDialog AnswerQuestion(DialogUserThread& u, bool ok);

// A file dialog (open or save as) once it shows: read, the full path typed
// into its file name field, and confirmed.
SeenDialog AnswerFileDialog(DialogUserThread& u, const std::string& path);

// The first window of `className` among `parent`'s children and theirs.
HWND ChildOfClass(HWND parent, const wchar_t* className);
// A form's twips in the screen's pixels, as the forms lay themselves out.
int Px(int twips);

// Real input: the pointer moved to `screen`, a button pressed and let go.
void PressAt(POINT screen, bool right);
void ClickIn(HWND window, POINT client);  // a left click at client pixels of `window`

// Where a bar made from `design` has the button `key` (client pixels): its
// main part, or the arrow that opens its menu. Read from a bar of the same
// design made for the purpose; call on the test's thread.
RECT DesignedButton(const ToolbarDesign& design, const std::string& key);
RECT DesignedArrow(const ToolbarDesign& design, const std::string& key);

class PaneUserTest : public NavigatorTest {
protected:
    PaneUserTest();
    ~PaneUserTest() override;
    void SetUp() override;     // docks the pane
    void TearDown() override;  // unloads it

    // Lets `script` act as the user while this thread runs the pane, until
    // the script is done; a window the script left open is closed and fails
    // the test, so a failing step never hangs it.
    void AsUser(const std::function<void(DialogUserThread&)>& script);

    // Screen points: the middle of the item showing `text`, and the empty
    // part of the tree below its items.
    POINT Item(const std::wstring& text);
    POINT BelowTheItems();
    HWND PaneBar() const;  // the pane's bar above the tree

    // A real .xlsx file in the test's folder with these worksheets; its full path.
    std::string WriteWorkbookFile(const std::string& name, const std::vector<std::string>& sheets);
    embedded::WorkbookContent Content() { return excel.Snapshot(book); }

    ComPtr<IDispatch> nav;
    std::wstring folder;  // with a trailing backslash
    std::shared_ptr<xlsx::XlsxWorkbookFiles> files = std::make_shared<xlsx::XlsxWorkbookFiles>();
    std::shared_ptr<demo::DialogUser> host;
};

}  // namespace brackwell::win::test
