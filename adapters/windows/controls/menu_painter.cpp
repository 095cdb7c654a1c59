#include "adapters/windows/controls/menu_painter.h"

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/fills.h"

namespace brackwell::win {
namespace {

// Geometry at 96 dpi.
constexpr int kItemHeight = 22;      // at least; more when the font is taller
constexpr int kTextPadding = 6;      // above and below the text together
constexpr int kPictureColumn = 24;   // the column of pictures and check marks
constexpr int kCheckCell = 20;       // the framed cell of a checked item
constexpr int kTextGap = 8;          // between that column and the caption
constexpr int kRightMargin = 16;
constexpr int kSeparatorHeight = 7;

FontHandle CreateMenuFont(const ToolbarFont& font, int dpi) {
    LOGFONTW logical{};
    if (!font.face.empty()) {
        logical.lfHeight = FontHeight(font.size, dpi);
        logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        logical.lfCharSet = DEFAULT_CHARSET;
        Utf8ToWide(font.face).copy(logical.lfFaceName, LF_FACESIZE - 1);
    } else {
        logical = MenuFont(dpi);
    }
    return FontHandle(::CreateFontIndirectW(&logical));
}

}  // namespace

std::wstring DisplayedCaption(const std::wstring& caption) {
    std::wstring shown = caption;
    std::replace_if(shown.begin(), shown.end(), [](wchar_t c) { return c < L' '; }, L' ');
    return shown;
}

MenuPainter::MenuPainter(const MenuLook& look) : look_(look), dpi_(look.dpi > 0 ? look.dpi : SystemDpi()) {
    font_ = CreateMenuFont(look.font, dpi_);
    if (look.themed) background_.Reset(::CreateSolidBrush(ToColorRef(look.colours.menuBackColor)));
}

int MenuPainter::Scale(int pixels) const { return win::Scale(pixels, dpi_); }

SIZE MenuPainter::Measure(const MenuEntry& entry) const {
    if (entry.separator) return SIZE{0, Scale(kSeparatorHeight)};
    WindowDc screen(nullptr);
    SelectedObject font(screen.Get(), font_.Get());
    SIZE text{};
    ::GetTextExtentPoint32W(screen.Get(), entry.caption.c_str(), static_cast<int>(entry.caption.size()), &text);
    return SIZE{Scale(kPictureColumn) + Scale(kTextGap) + text.cx + Scale(kRightMargin),
                std::max<LONG>(Scale(kItemHeight), text.cy + Scale(kTextPadding))};
}

void MenuPainter::Draw(const DRAWITEMSTRUCT& item, const MenuEntry& entry) const {
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    const bool enabled = !(item.itemState & (ODS_GRAYED | ODS_DISABLED));
    const bool checked = item.itemState & ODS_CHECKED;
    const RECT column{r.left, r.top, r.left + Scale(kPictureColumn), r.bottom};
    const ToolbarLook& c = look_.colours;
    COLORREF ink = 0;
    if (look_.themed) {
        FillSolid(dc, r, ToColorRef(c.menuBackColor));
        FillGradient(dc, column, ToColorRef(c.menuCheckmarkColorFrom), ToColorRef(c.menuCheckmarkColorTo),
                     GradientDirection::LeftToRight);
        if (entry.separator) {
            const int y = (r.top + r.bottom) / 2;
            FillSolid(dc, RECT{column.right + Scale(kTextGap), y, r.right, y + 1}, ToColorRef(c.separatorColor));
            return;
        }
        if (selected) {
            // The keyboard may rest on a disabled item: it is framed, not lit.
            if (enabled) FillSolid(dc, r, ToColorRef(c.menuBackColorHover));
            FrameSolid(dc, r, ToColorRef(c.menuBorderColor));
        }
        ink = !enabled ? ::GetSysColor(COLOR_GRAYTEXT)
                       : ToColorRef(selected ? c.menuForeColorHover : c.menuForeColor);
    } else {
        FillSolid(dc, r, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        if (entry.separator) {
            RECT line{r.left + Scale(1), (r.top + r.bottom) / 2 - 1, r.right - Scale(1), r.bottom};
            ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            return;
        }
        ink = ::GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    }
    DrawCheckCell(dc, column, entry, checked, enabled, ink);

    RECT text{column.right + Scale(kTextGap), r.top, r.right, r.bottom};
    SelectedObject font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ink);
    // Names show as they are: "&" is no accelerator mark here.
    ::DrawTextW(dc, entry.caption.c_str(), static_cast<int>(entry.caption.size()), &text,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void MenuPainter::DrawCheckCell(HDC dc, const RECT& column, const MenuEntry& entry, bool checked, bool enabled,
                                COLORREF ink) const {
    const int cx = (column.left + column.right) / 2;
    const int cy = (column.top + column.bottom) / 2;
    const int half = Scale(kCheckCell) / 2;
    RECT cell{cx - half, cy - half, cx + half, cy + half};
    if (checked) {
        if (look_.themed) {
            FillSolid(dc, cell, ToColorRef(look_.colours.menuBackColorChecked));
            FrameSolid(dc, cell, ToColorRef(look_.colours.menuBorderColor));
        } else if (entry.picture) {
            ::DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
        }
    }
    if (entry.picture) {
        const int size = PictureBitmapSize(entry.picture);
        DrawPictureBitmap(dc, cx - size / 2, cy - size / 2, entry.picture);
    } else if (checked) {
        // A check mark of two strokes where no picture stands.
        PenHandle pen(::CreatePen(PS_SOLID, Scale(2), enabled ? ink : ::GetSysColor(COLOR_GRAYTEXT)));
        SelectedObject selected(dc, pen.Get());
        const POINT mark[3] = {{cx - Scale(4), cy}, {cx - Scale(1), cy + Scale(3)}, {cx + Scale(4), cy - Scale(3)}};
        ::Polyline(dc, mark, 3);
    }
}

void MenuPainter::DrawFrame(HWND menuWindow) const {
    if (!look_.themed || !menuWindow) return;
    RECT window{}, client{};
    ::GetWindowRect(menuWindow, &window);
    ::GetClientRect(menuWindow, &client);
    // The system's frame lies outside the client area or, where the system
    // draws it inside (Wine), in its two outer pixels.
    const int frame = std::max<int>(2, ((window.right - window.left) - client.right) / 2);
    WindowDc dc(menuWindow, WindowDc::Area::Whole);
    if (!dc.Get()) return;
    RECT r{0, 0, window.right - window.left, window.bottom - window.top};
    FrameSolid(dc.Get(), r, ToColorRef(look_.colours.menuBorderColor));
    for (int i = 1; i < frame; ++i) {
        ::InflateRect(&r, -1, -1);
        FrameSolid(dc.Get(), r, ToColorRef(look_.colours.menuBackColor));
    }
}

}  // namespace brackwell::win
