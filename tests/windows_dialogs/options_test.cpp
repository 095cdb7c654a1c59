// The options dialog as a real window: option groups in their containers,
// check boxes, and the colour boxes opening the system's colour chooser,
// which the user answers by clicking its colour cells and buttons.

#include <gtest/gtest.h>

#include "dialogs/frm_options.h"
#include "tests/windows_dialogs/dialog_scene.h"
#include "tests/windows_dialogs/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kDialogClass[] = L"BrackwellDialog";
constexpr wchar_t kChooserClass[] = L"#32770";
// The chooser's parts (comdlg32's colour dialog template).
constexpr int kBasicColors = 0x2d0;   // 8 columns, 6 rows
constexpr int kCustomColors = 0x2d1;  // 8 columns, 2 rows
constexpr int kRedEdit = 0x2c2;
constexpr int kGreenEdit = 0x2c3;

bool Checked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Clicks cell (column, row) of one of the chooser's colour grids.
void ClickCell(DialogUserThread& u, HWND chooser, int grid, int columns, int rows, int column, int row) {
    RECT r{};
    ::GetWindowRect(::GetDlgItem(chooser, grid), &r);
    POINT at{r.left + column * ((r.right - r.left) / columns) + 2, r.top + row * ((r.bottom - r.top) / rows) + 2};
    ::ScreenToClient(chooser, &at);
    u.Click(chooser, at);
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
    HWND dialogWindow = window.Handle();
    auto handle = [&](const char* name, int index = -1) { return window.ControlHandle(name, index); };
    HWND xp = handle("optXP"), office = handle("optOffice03"), themes = handle("Picture1");
    HWND drag[4] = {nullptr, handle("optDraging", 1), handle("optDraging", 2), handle("optDraging", 3)};
    HWND expand = handle("chkMapExpand"), tabColor = handle("chkForeReg"), strip = handle("picIcon");
    HWND fore[3] = {handle("picFore", 0), handle("picFore", 1), handle("picFore", 2)};
    HWND bar = window.WinBar()->Handle();
    const RECT ok = window.WinBar()->ButtonRect("mnuOk");

    std::vector<bool> opened, afterClicks;
    RECT client{}, themesRect{}, xpRect{}, stripRect{}, foreRect{};
    HWND xpParent = nullptr, chooserOwner = nullptr;
    bool optionsWaitedForChooser = false;
    unsigned initialRed = 99, initialGreen = 99;
    Color chosen = 0, cancelled = 0, black = 0;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            HWND dialog = u.WaitForWindow(kDialogClass);
            if (!dialog) return;
            ::GetClientRect(dialog, &client);
            themesRect = RectInParent(themes);
            xpRect = RectInParent(xp);
            xpParent = ::GetParent(xp);
            stripRect = RectInParent(strip);
            foreRect = RectInParent(fore[1]);
            opened = {Checked(office), Checked(xp), Checked(drag[1]), Checked(drag[2]), Checked(drag[3]),
                      Checked(expand), Checked(tabColor)};

            u.Click(xp);
            u.Click(drag[3]);
            u.Click(expand);
            u.Click(tabColor);
            u.Settle();
            afterClicks = {Checked(office), Checked(xp), Checked(drag[1]), Checked(drag[2]), Checked(drag[3]),
                           Checked(expand), Checked(tabColor)};

            // Box 1: a custom colour, the fourth grey RGB(60, 60, 60).
            u.Click(fore[1]);
            HWND chooser = u.WaitForWindow(kChooserClass, dialog);
            if (!chooser) return;
            chooserOwner = ::GetWindow(chooser, GW_OWNER);
            optionsWaitedForChooser = !::IsWindowEnabled(dialog);
            BOOL read = FALSE;
            initialRed = ::GetDlgItemInt(chooser, kRedEdit, &read, FALSE);
            initialGreen = ::GetDlgItemInt(chooser, kGreenEdit, &read, FALSE);
            ClickCell(u, chooser, kCustomColors, 8, 2, 3, 0);
            u.Click(::GetDlgItem(chooser, IDOK));
            u.WaitUntilGone(chooser);
            u.Settle();
            u.OnUi([&] { chosen = options.picFore(1).BackColor(); });

            // Box 2: cancelled.
            u.Click(fore[2]);
            if (!(chooser = u.WaitForWindow(kChooserClass, dialog))) return;
            u.Click(::GetDlgItem(chooser, IDCANCEL));
            u.WaitUntilGone(chooser);
            u.Settle();
            u.OnUi([&] { cancelled = options.picFore(2).BackColor(); });

            // Box 0: black, the basic colour at the bottom left, counts as cancelled.
            u.Click(fore[0]);
            if (!(chooser = u.WaitForWindow(kChooserClass, dialog))) return;
            ClickCell(u, chooser, kBasicColors, 8, 6, 0, 5);
            u.Click(::GetDlgItem(chooser, IDOK));
            u.WaitUntilGone(chooser);
            u.Settle();
            u.OnUi([&] {
                black = options.picFore(0).BackColor();
                WritePicture(dialog, L"frmOptions.bmp");
            });
            u.Click(bar, POINT{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
            u.WaitUntilGone(dialog);
        });
        options.ShowModal();
        EXPECT_FALSE(user.TimedOut());
    }

    EXPECT_EQ(client.right, Px(8745));
    EXPECT_EQ(client.bottom, Px(5130));
    EXPECT_EQ(themesRect.left, Px(1050));
    EXPECT_EQ(themesRect.top, Px(825));
    EXPECT_EQ(xpParent, themes) << "the theme buttons live in their container";
    EXPECT_EQ(xpRect.left, Px(150));
    EXPECT_EQ(xpRect.top, Px(75));
    EXPECT_EQ(stripRect.bottom - stripRect.top, Px(4665));
    EXPECT_EQ(foreRect.left, Px(5475));
    EXPECT_EQ(foreRect.top, Px(1200));
    EXPECT_EQ(opened, (std::vector<bool>{true, false, true, false, false, false, true}));
    EXPECT_EQ(afterClicks, (std::vector<bool>{false, true, false, false, true, true, false}));

    EXPECT_EQ(chooserOwner, dialogWindow) << "the chooser is modal to the options dialog";
    EXPECT_TRUE(optionsWaitedForChooser);
    EXPECT_EQ(initialRed, 0u);
    EXPECT_EQ(initialGreen, 128u) << "the chooser starts at the box's colour";
    EXPECT_EQ(chosen, 0x3C3C3Cu);
    EXPECT_EQ(cancelled, 0x00FF00u);
    EXPECT_EQ(black, 0x0000FFu);

    EXPECT_FALSE(options.Loaded());
    std::vector<std::string> written;
    for (const auto& w : scene.settings.Writes()) written.push_back(w.key + "=" + w.value);
    EXPECT_EQ(written, (std::vector<std::string>{"Theme=False", "Drag=3", "MapExpand=True", "WBFore=255",
                                                 "SHFore=3947580", "NameFore=65280", "SetForeReg=False"}));
}

}  // namespace
}  // namespace brackwell::win::test
