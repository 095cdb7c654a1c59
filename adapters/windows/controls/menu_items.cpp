#include "adapters/windows/controls/menu_items.h"

#include "adapters/windows/ui/window_class.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kMenuOwnerClass[] = L"BrackwellMenuOwner";

thread_local const POINT* anchor = nullptr;  // the innermost living MenuAnchor's point

// The text the system keeps with an item, for its keyboard search: every
// "&" doubled, so that no name turns a letter into an accelerator.
std::wstring SystemText(const std::wstring& caption) {
    std::wstring text;
    for (wchar_t c : caption) {
        text += c;
        if (c == L'&') text += L'&';
    }
    return text;
}

LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerMenuItemMessage(message, lParam)) return TRUE;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

struct OwnerDrawnMenu::Row {
    MenuEntry entry;
    const OwnerDrawnMenu* menu = nullptr;
};

OwnerDrawnMenu::OwnerDrawnMenu() : menu_(::CreatePopupMenu()), painter_(std::make_unique<MenuPainter>(MenuLook{})) {
    ApplyBackground();
}

OwnerDrawnMenu::~OwnerDrawnMenu() { menu_.Reset(); }  // before the rows it points to

void OwnerDrawnMenu::Clear() {
    menu_.Reset(::CreatePopupMenu());
    rows_.clear();
    ApplyBackground();
}

bool OwnerDrawnMenu::Insert(std::unique_ptr<Row> row, MENUITEMINFOW& item) {
    row->menu = this;
    item.cbSize = sizeof(item);
    item.fMask |= MIIM_ID | MIIM_FTYPE | MIIM_DATA;
    item.fType |= MFT_OWNERDRAW;
    item.wID = static_cast<UINT>(rows_.size() + 1);
    item.dwItemData = reinterpret_cast<ULONG_PTR>(row.get());
    rows_.push_back(std::move(row));
    return ::InsertMenuItemW(menu_.Get(), ::GetMenuItemCount(menu_.Get()), TRUE, &item) != FALSE;
}

bool OwnerDrawnMenu::AppendCommand(const std::wstring& caption, HBITMAP picture, bool enabled, bool checked) {
    auto row = std::make_unique<Row>();
    row->entry = MenuEntry{DisplayedCaption(caption), picture, false};
    const std::wstring text = SystemText(caption);
    MENUITEMINFOW item{};
    // The picture stays with the system's item too, for whatever reads the
    // menu; the drawing is the owner's.
    item.fMask = MIIM_STRING | MIIM_STATE | (picture ? MIIM_BITMAP : 0);
    item.fState = (enabled ? MFS_ENABLED : MFS_GRAYED) | (checked ? MFS_CHECKED : MFS_UNCHECKED);
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    item.hbmpItem = picture;
    return Insert(std::move(row), item);
}

bool OwnerDrawnMenu::AppendSeparator() {
    auto row = std::make_unique<Row>();
    row->entry.separator = true;
    MENUITEMINFOW item{};
    item.fType = MFT_SEPARATOR;
    return Insert(std::move(row), item);
}

void OwnerDrawnMenu::SetPicture(UINT position, HBITMAP picture) {
    if (position >= rows_.size()) return;
    rows_[position]->entry.picture = picture;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = picture;
    ::SetMenuItemInfoW(menu_.Get(), position, TRUE, &item);
}

void OwnerDrawnMenu::SetLook(const MenuLook& look) {
    auto painter = std::make_unique<MenuPainter>(look);
    painter_.swap(painter);
    ApplyBackground();
}  // the old painter's brush goes only now that the menu no longer uses it

void OwnerDrawnMenu::ApplyBackground() const {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = painter_->Background();
    ::SetMenuInfo(menu_.Get(), &info);
}

bool AnswerMenuItemMessage(UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU || !measure->itemData) return false;
        const auto* row = reinterpret_cast<const OwnerDrawnMenu::Row*>(measure->itemData);
        const SIZE size = row->menu->painter_->Measure(row->entry);
        measure->itemWidth = static_cast<UINT>(size.cx);
        measure->itemHeight = static_cast<UINT>(size.cy);
        return true;
    }
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU || !draw->itemData) return false;
        const auto* row = reinterpret_cast<const OwnerDrawnMenu::Row*>(draw->itemData);
        const MenuPainter& painter = *row->menu->painter_;
        painter.Draw(*draw, row->entry);
        if (draw->itemAction == ODA_DRAWENTIRE) painter.DrawFrame(::WindowFromDC(draw->hDC));
        return true;
    }
    return false;
}

POINT MenuPoint(const POINT* screen) {
    POINT at{};
    if (screen) {
        at = *screen;
    } else if (anchor) {
        at = *anchor;
    } else {
        ::GetCursorPos(&at);
    }
    return at;
}

UINT TrackMenu(HMENU menu, HWND owner, const POINT* screen) {
    const POINT at = MenuPoint(screen);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY;
    const BOOL chosen = ::TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr);
    // Lets the owner's thread leave menu mode cleanly before the next menu.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<UINT>(chosen);
}

MenuAnchor::MenuAnchor(POINT screen) noexcept : previous_(anchor), screen_(screen) { anchor = &screen_; }

MenuAnchor::~MenuAnchor() { anchor = previous_; }

HWND CreateMenuOwnerWindow(HINSTANCE instance) {
    if (!EnsureWindowClass(instance, kMenuOwnerClass, MenuOwnerProc)) return nullptr;
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, kMenuOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             instance, nullptr);
}

}  // namespace brackwell::win
