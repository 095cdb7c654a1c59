// The options dialog as a real window: option groups in their containers,
// check boxes, and the colour boxes opening the system's colour chooser,
// which the user answers by clicking its colour cells and buttons; a
// screen reader finds the colour boxes as buttons named by their labels.

#include <gtest/gtest.h>

#include "dialogs/frm_options.h"
#include "tests/windows_dialogs/dialog_test_support.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

// The chooser's parts (comdlg32's colour dialog template).
constexpr int kBasicColors = 0x2d0;   // 8 columns, 6 rows
constexpr int kCustomColors = 0x2d1;  // 8 columns, 2 rows
constexpr int kGreenEdit = 0x2c3;

// Opens the chooser from a colour box, clicks cell (column, row) of one of
// its grids (none when `grid` is 0) and presses `button`.
void Choose(DialogUserThread& u, HWND dialog, HWND box, int grid, int rows, int column, int row, int button,
            unsigned* greenAtStart = nullptr, HWND* owner = nullptr, bool* dialogWaited = nullptr,
            bool byReader = false) {
    if (byReader) {
        u.OnUi([&] { AccessibleOf(box)->accDoDefaultAction(ChildId(0)); });  // as a screen reader presses it
    } else {
        u.Click(box);
    }
    HWND chooser = u.WaitForWindow(L"#32770", dialog);
    if (!chooser) return;
    if (owner) *owner = ::GetWindow(chooser, GW_OWNER);
    if (dialogWaited) *dialogWaited = !::IsWindowEnabled(dialog);
    if (greenAtStart) *greenAtStart = ::GetDlgItemInt(chooser, kGreenEdit, nullptr, FALSE);
    if (grid) {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(chooser, grid), &r);
        POINT at{r.left + column * ((r.right - r.left) / 8) + 2, r.top + row * ((r.bottom - r.top) / rows) + 2};
        ::ScreenToClient(chooser, &at);
        u.Click(chooser, at);
    }
    u.ClickUntilClosed(::GetDlgItem(chooser, button), chooser);
    u.Settle();
}

TEST(OptionsDialog, SettingsGoIntoTheControlsAndOkTakesThemWithTheChosenColours) {
    DialogScene scene;
    Settings& s = scene.component.settings;
    s.WBFore = 0x0000FF;
    s.SHFore = 0x008000;
    s.NameFore = 0x00FF00;
    s.SetForeReg = true;
    FrmOptions options(scene.component);
    options.Load();
    WinDialogWindow& window = WindowOf(options);  // released when OK unloads the dialog
    HWND dialog = window.Handle();
    std::vector<HWND> buttons;  // theme, drag, check boxes
    for (auto [name, index] : std::initializer_list<std::pair<const char*, int>>{
             {"optOffice03", -1}, {"optXP", -1}, {"optDraging", 1}, {"optDraging", 2}, {"optDraging", 3},
             {"chkMapExpand", -1}, {"chkForeReg", -1}})
        buttons.push_back(window.ControlHandle(name, index));
    HWND themes = window.ControlHandle("Picture1");
    HWND fore[3] = {window.ControlHandle("picFore", 0), window.ControlHandle("picFore", 1),
                    window.ControlHandle("picFore", 2)};
    auto checks = [&] {
        std::string shown;
        for (HWND b : buttons) shown += ::SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
        return shown;
    };

    RECT client{};
    std::string opened, afterClicks;
    bool placed = false, dialogWaited = false;
    HWND themeParent = nullptr, chooserOwner = nullptr;
    unsigned greenAtStart = 0;
    Color colors[3] = {};
    std::vector<std::wstring> heard;  // a screen reader at the boxes, the chosen grey's
    long role = 0, checked = 0;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            if (!u.WaitForWindow(L"BrackwellDialog")) return;
            ::GetClientRect(dialog, &client);
            themeParent = ::GetParent(buttons[1]);
            placed = At(themes, 1050, 825, 2415, 915) && At(buttons[1], 150, 75, 2115, 240) &&
                     At(fore[1], 5475, 1200, 315, 240) && At(window.ControlHandle("picIcon"), 0, 450, 900, 4665);
            opened = checks();
            for (HWND b : {buttons[1], buttons[4], buttons[5], buttons[6]}) u.Click(b);
            u.Settle();
            afterClicks = checks();
            // A custom colour, the fourth grey RGB(60, 60, 60); a cancel; and
            // black, the basic colour at the bottom left, which counts as a cancel.
            Choose(u, dialog, fore[1], kCustomColors, 2, 3, 0, IDOK, &greenAtStart, &chooserOwner, &dialogWaited,
                   true);
            Choose(u, dialog, fore[2], 0, 0, 0, 0, IDCANCEL);
            Choose(u, dialog, fore[0], kBasicColors, 6, 0, 5, IDOK);
            u.OnUi([&] {
                for (int i = 0; i < 3; ++i) colors[i] = options.picFore(i).BackColor();
                for (HWND box : fore) heard.push_back(AccName(AccessibleOf(box).Get(), 0));
                const auto grey = AccessibleOf(fore[1]);
                heard.push_back(AccName(grey.Get(), 0, &IAccessible::get_accValue));
                heard.push_back(AccName(grey.Get(), 0, &IAccessible::get_accDefaultAction));
                role = AccRole(grey.Get(), 0);
                checked = AccState(grey.Get(), 0) & STATE_SYSTEM_CHECKED;
                WritePicture(dialog, L"frmOptions.bmp");
            });
            u.Key(buttons[6], VK_RETURN);  // OK, as a click on it
            u.WaitUntilGone(dialog);
        });
        options.ShowModal();
        EXPECT_FALSE(user.TimedOut());
    }

    EXPECT_EQ(client.right, Px(8745));
    EXPECT_EQ(client.bottom, Px(5130));
    EXPECT_TRUE(placed);
    EXPECT_EQ(themeParent, themes) << "the theme buttons live in their container";
    EXPECT_EQ(opened, "1010001");
    EXPECT_EQ(afterClicks, "0100110") << "one selected button per container";
    EXPECT_EQ(chooserOwner, dialog) << "the chooser is modal to the options dialog";
    EXPECT_TRUE(dialogWaited);
    EXPECT_EQ(greenAtStart, 128u) << "the chooser starts at the box's colour";
    EXPECT_EQ(colors[1], 0x3C3C3Cu);
    EXPECT_EQ(heard, (std::vector<std::wstring>{L"Arbeitsmappen", L"Tabellenbl\u00E4tter", L"Bereiche",
                                                 L"RGB(60, 60, 60)", L"Dr\u00FCcken"}))
        << "named by their labels, the colour as value";
    EXPECT_EQ(role, ROLE_SYSTEM_PUSHBUTTON) << "a button that opens the chooser, not one of a set";
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(colors[2], 0x00FF00u);
    EXPECT_EQ(colors[0], 0x0000FFu);

    EXPECT_FALSE(options.Loaded());
    std::vector<std::string> written;
    for (const auto& w : scene.settings.Writes()) written.push_back(w.key + "=" + w.value);
    EXPECT_EQ(written, (std::vector<std::string>{"Theme=False", "Drag=3", "MapExpand=True", "WBFore=255",
                                                 "SHFore=3947580", "NameFore=65280", "SetForeReg=False"}));
}

}  // namespace
}  // namespace brackwell::win::test
