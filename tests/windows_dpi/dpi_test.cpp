// The pane, the popup menu and the four dialogs on a screen of the DPI the
// run was started with (BRACKWELL_WINE_DPI, the prefix's LogPixels): every
// size given for 96 dpi grows by DPI/96, every twip by DPI/1440, pictures
// come in the size that DPI needs, and no caption is cut. Told of a move to
// a screen of another DPI (WM_DPICHANGED, which Wine never sends by itself),
// the pane and a dialog lay themselves out for it. At 144 dpi the pane, the
// menu and each dialog are written as pictures for review.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/popup_menu.h"
#include "adapters/windows/forms/dialog_window.h"
#include "adapters/windows/platform/nav_form.h"
#include "adapters/windows/ui/window_bitmap.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_col_index.h"
#include "dialogs/frm_options.h"
#include "dialogs/frm_pwd.h"
#include "pane/frm_nav.h"
#include "pane/nav_bar_design.h"
#include "tests/windows_pane/pane_scene.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

// What the sizes come to, from the bar's 420 twips, the 16-pixel pictures
// and the tree's 16-pixel rows at 96 dpi, as high as its pictures (at 72
// dpi the tree's font needs more; 288 shows the 16-pixel pictures three
// times over); `ink`: the rows the delete picture colours (one transparent row
// above and below at 16 pixels, two at 32).
struct Expected {
    int dpi, bar, picture, row, ink;
};
constexpr Expected kExpected[] = {{72, 21, 16, 16, 14},  {96, 28, 16, 16, 14},  {120, 35, 20, 20, 18},
                                  {144, 42, 24, 24, 22}, {192, 56, 32, 32, 28}, {288, 84, 48, 48, 42}};

int RunDpi() {
    const char* asked = std::getenv("BRACKWELL_WINE_DPI");
    return asked ? std::atoi(asked) : 96;
}
const Expected& Want(int dpi = RunDpi()) {
    for (const Expected& e : kExpected)
        if (e.dpi == dpi) return e;
    throw std::runtime_error("no expected sizes for this DPI");
}
int Px(int pixelsAt96) { return ::MulDiv(pixelsAt96, RunDpi(), 96); }
int Tw(int twips, int dpi = RunDpi()) { return ::MulDiv(twips, dpi, 1440); }
bool Reviewed() { return RunDpi() == 144; }
std::wstring PictureName(const char* what) { return L"dpi" + std::to_wstring(RunDpi()) + L"_" + Utf8ToWide(what) + L".bmp"; }

RECT InParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int WidthOf(HWND window, HFONT font, const std::wstring& text) {
    WindowDc dc(window);
    SelectedObject selected(dc.Get(), font);
    RECT r{};
    ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// The rows of `pixels` within `r` that differ from the row's colour at
// `r.left`: the height of what is drawn on the background there.
int InkHeight(const ClientPixels& pixels, const RECT& r) {
    int first = -1, last = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + 1; x < r.right; ++x)
            if (pixels.At(x, y) != pixels.At(r.left, y)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return first < 0 ? 0 : last - first + 1;
}

// The bar is as high as 420 twips, its buttons as wide as designed scaled,
// and each button's picture and text fit in it.
void ExpectBarScaled(WinToolbar& bar, const ToolbarDesign& design, const char* where) {
    RECT client{};
    ::GetClientRect(bar.Handle(), &client);
    EXPECT_EQ(client.bottom, Want().bar) << where;
    EXPECT_EQ(bar.Height(), 420) << where;
    for (const ToolbarButton& b : design.buttons) {
        if (b.key.empty()) continue;  // a separator
        const RECT r = bar.ButtonRect(b.key);
        const RECT arrow = bar.ArrowRect(b.key);
        EXPECT_EQ(r.right - r.left, Px(b.width)) << where << " " << b.key;
        const int text = b.text.empty() ? 0 : WidthOf(bar.Handle(), bar.ButtonFontHandle(), Utf8ToWide(b.text));
        const int picture = b.image > 0 ? Want().picture + Px(3) : 0;
        EXPECT_LE(picture + text, r.right - r.left - (arrow.right - arrow.left)) << where << " " << b.key << " is cut";
    }
}

// Every control at its twips scaled; every one-line caption fits its control.
void ExpectControlsScaled(WinDialogWindow& window, const FormDesign& design) {
    for (const ControlDesign& c : design.controls) {
        HWND control = window.ControlHandle(c.name, c.index);
        const RECT r = InParent(control);
        const std::string name = c.name + (c.index >= 0 ? "(" + std::to_string(c.index) + ")" : "");
        EXPECT_EQ(r.left, Tw(c.left)) << design.name << " " << name;
        EXPECT_EQ(r.top, Tw(c.top)) << design.name << " " << name;
        if (c.kind != ControlKind::Line) {
            EXPECT_EQ(r.right, Tw(c.left + c.width)) << design.name << " " << name;
            EXPECT_EQ(r.bottom, Tw(c.top + c.height)) << design.name << " " << name;
        }
        const bool captioned = c.kind == ControlKind::Label || c.kind == ControlKind::OptionButton ||
                               c.kind == ControlKind::CheckBox;
        const std::wstring text = WindowText(control);
        if (!captioned || c.wrap || text.find(L'\n') != std::wstring::npos) continue;
        const int mark = c.kind == ControlKind::Label ? 0 : Px(16);  // the button's circle or box
        const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
        EXPECT_LE(mark + WidthOf(control, font, text), r.right - r.left) << design.name << " " << name << " is cut";
    }
}

TEST(Dpi, ThePaneAndItsMenuAreLaidOutByTheNumbersOf96DpiScaled) {
    {
        WindowDc screen(nullptr);
        ASSERT_EQ(::GetDeviceCaps(screen.Get(), LOGPIXELSY), RunDpi()) << "the prefix's LogPixels did not take";
    }
    PaneScene scene({.dockHeight = Px(600)});
    ::MoveWindow(scene.DockWindow(), 0, 30, Px(240), Px(600), TRUE);  // the host's dock scales too
    scene.excel.CreateWorkbook("Mappe1", {"Tabelle1", "Gewinn und Verlust"});
    scene.nav->CreateNavBar();
    scene.Pump();
    ASSERT_NE(scene.PaneWindow(), nullptr);
    const RECT pane = InParent(scene.PaneWindow());
    EXPECT_EQ(pane.left, Px(1));
    EXPECT_EQ(pane.top, Px(40));
    EXPECT_EQ(pane.right - pane.left, Px(215));
    EXPECT_EQ(pane.bottom - pane.top, Px(600 - 43));

    auto& form = dynamic_cast<WinNavForm&>(scene.component.frmNav().Window());
    ExpectBarScaled(*form.WinBar(), NavBarDesign(), "frmNav");
    // The delete button shows its picture alone: drawn at its own size.
    const RECT del = form.WinBar()->ButtonRect("mnuTabDel");
    EXPECT_EQ(InkHeight(ClientPixels(form.WinBar()->Handle()), del), Want().ink) << "the picture's height";

    // The tree 50 twips below the bar and in from the edges, rows and
    // pictures scaled, and its text fits the rows.
    const HWND tree = scene.TreeWindow();
    const RECT frame = InParent(::GetParent(tree));
    EXPECT_EQ(frame.left, Tw(50));
    EXPECT_EQ(frame.top, Tw(420 + 50));
    const int row = TreeView_GetItemHeight(tree);
    EXPECT_EQ(row, Want().row);
    int pictureWidth = 0, pictureHeight = 0;
    ::ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &pictureWidth, &pictureHeight);
    EXPECT_EQ(pictureWidth, Want().picture);
    EXPECT_EQ(pictureHeight, Want().picture);
    {
        WindowDc dc(tree);
        SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(tree, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.Get(), &metrics);
        EXPECT_LE(metrics.tmHeight, row);
    }
    if (Reviewed()) {
        EXPECT_TRUE(scene.Screenshot(PictureName("pane")));
    }

    // The shared popup menu: rows 22 pixels high at 96 dpi, pictures in
    // their own size, the whole caption drawn; opened at `at` (screen),
    // else at the pointer.
    WinPopupMenu menu(Instance());
    menu.SetFont("Verdana", 9);
    menu.AddItem("Blattschutz aufheben", "mnu10", 6931, true);
    menu.AddItem("-", "", std::nullopt, true);
    menu.AddItem("Systeminfo... Gewinn & Verlust.xlsx", "mnu11", 6915, true);
    const auto showMenu = [&](const POINT* at, const std::wstring& pictureName) {
        MenuPicture shown;
        ModalAnswerer answerer(L"#32768", [&](HWND window) {
            shown = PictureOfMenu(window, pictureName);
            PostKey(window, VK_ESCAPE);
        });
        menu.ShowPopup(at ? at->x : -1, at ? at->y : -1);
        EXPECT_TRUE(answerer.Answered());
        return shown;
    };
    const auto menuPictureWidth = [&] {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_BITMAP;
        ::GetMenuItemInfoW(menu.Handle(), 2, TRUE, &item);
        BITMAP picture{};
        ::GetObjectW(item.hbmpItem, sizeof(picture), &picture);
        return picture.bmWidth;
    };

    // The pane moved to a screen of another DPI lays its bar and tree out
    // again, the tree's font included, and a menu opened over it measures
    // itself for that screen; back, it is as before.
    LOGFONTW iconFont{};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0);
    const int other = RunDpi() == 192 ? 96 : 192;
    for (const int dpi : {other, RunDpi()}) {
        ::SendMessageW(scene.PaneWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
        RECT bar{};
        ::GetClientRect(form.WinBar()->Handle(), &bar);
        EXPECT_EQ(bar.bottom, Want(dpi).bar) << dpi;
        EXPECT_GE(TreeView_GetItemHeight(tree), Want(dpi).row) << dpi;
        ::ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &pictureWidth, &pictureHeight);
        EXPECT_EQ(pictureWidth, Want(dpi).picture) << dpi;
        LOGFONTW treeFont{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(tree, WM_GETFONT, 0, 0)), sizeof(treeFont), &treeFont);
        EXPECT_NEAR(treeFont.lfHeight, ::MulDiv(iconFont.lfHeight, dpi, RunDpi()), 1) << dpi;
        if (dpi == RunDpi()) continue;
        POINT overTree{5, 5};
        ::ClientToScreen(tree, &overTree);
        const MenuPicture over = showMenu(&overTree, L"");
        ASSERT_EQ(over.items.size(), 3u);
        EXPECT_EQ(over.items[0].bottom - over.items[0].top, ::MulDiv(22, dpi, 96)) << dpi;
        EXPECT_EQ(menuPictureWidth(), Want(dpi).picture) << dpi;
    }
    EXPECT_EQ(TreeView_GetItemHeight(tree), row);

    const MenuPicture shown = showMenu(nullptr, Reviewed() ? PictureName("popup") : L"");
    ASSERT_EQ(shown.items.size(), 3u);
    EXPECT_EQ(shown.items[0].bottom - shown.items[0].top, Px(22));
    EXPECT_EQ(shown.items[1].bottom - shown.items[1].top, Px(7));
    EXPECT_EQ(menuPictureWidth(), Want().picture);
    EXPECT_NEAR(CaptionInkWidth(shown.pixels, shown.items[2], ToColorRef(ToolbarLook{}.menuBackColor)),
                TextWidth(L"Verdana", 9, L"Systeminfo... Gewinn & Verlust.xlsx"), 3);
}

TEST(Dpi, EveryDialogAndItsBarAreLaidOutFromTwipsAtTheScreensDpi) {
    PaneScene scene({.dockHeight = 0});
    FrmColIndex picker(scene.component);
    FrmPwd password(scene.component);
    FrmOptions options(scene.component);
    FrmAbout about(scene.component);
    const std::pair<ModalForm*, const FormDesign*> forms[] = {{&picker, &ColIndexFormDesign()},
                                                              {&password, &PwdFormDesign()},
                                                              {&options, &OptionsFormDesign()},
                                                              {&about, &AboutFormDesign()}};
    for (const auto& [form, shape] : forms) {
        form->Load();
        auto& window = dynamic_cast<WinDialogWindow&>(form->Window());
        const FormDesign& design = *shape;
        RECT client{};
        ::GetClientRect(window.Handle(), &client);
        EXPECT_EQ(client.right, Tw(design.clientWidth)) << design.name;
        EXPECT_EQ(client.bottom, Tw(design.clientHeight)) << design.name;
        ExpectBarScaled(*window.WinBar(), design.bar, design.name.c_str());
        ExpectControlsScaled(window, design);
        if (Reviewed()) {
            ::ShowWindow(window.Handle(), SW_SHOWNA);
            EXPECT_TRUE(WriteWindowBitmap(window.Handle(), PictureName(design.name.c_str())));
        }
    }

    // Moved to a screen of another DPI while open, a dialog lays itself out
    // again for it: its frame the one the system has for that DPI around
    // its client area there, its side picture in that DPI's size; moved
    // back, it is as it was.
    auto& window = dynamic_cast<WinDialogWindow&>(about.Window());
    ::ShowWindow(window.Handle(), SW_SHOWNA);
    const HWND strip = window.ControlHandle("picIcon");
    const auto stripInk = [&] {
        const ClientPixels pixels(strip);
        RECT all{};
        ::GetClientRect(strip, &all);
        return InkHeight(pixels, all);
    };
    const int inkHere = stripInk();
    const int other = RunDpi() == 192 ? 96 : 192;
    for (const int dpi : {other, RunDpi()}) {
        RECT suggested{10, 10, 20, 20};
        ::SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT outer{}, bar{};
        ::GetWindowRect(window.Handle(), &outer);
        ::GetClientRect(window.WinBar()->Handle(), &bar);
        RECT expected{0, 0, Tw(7185, dpi), Tw(AboutFormDesign().clientHeight, dpi)};
        using FrameForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
        const auto frameForDpi = reinterpret_cast<FrameForDpi>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
        ASSERT_NE(frameForDpi, nullptr);
        frameForDpi(&expected, ::GetWindowLongW(window.Handle(), GWL_STYLE), FALSE,
                    ::GetWindowLongW(window.Handle(), GWL_EXSTYLE), dpi);
        EXPECT_EQ(outer.right - outer.left, expected.right - expected.left) << dpi;
        EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top) << dpi;
        EXPECT_EQ(bar.bottom, Tw(420, dpi)) << dpi;
        EXPECT_EQ(InParent(window.ControlHandle("lblURL")).top, Tw(4725, dpi)) << dpi;
        EXPECT_NEAR(stripInk(), inkHere * Want(dpi).picture / Want().picture, 2) << dpi;
    }
    ExpectControlsScaled(window, AboutFormDesign());
}

}  // namespace
}  // namespace brackwell::win::test
