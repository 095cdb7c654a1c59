#include "adapters/windows/controls/popup_menu.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/menu_items.h"
#include "adapters/windows/resources/picture_set.h"
#include "host/automation_error.h"

namespace brackwell::win {

WinPopupMenu::WinPopupMenu(HINSTANCE instance)
    : instance_(instance), menu_(::CreatePopupMenu()), owner_(CreateMenuOwnerWindow(instance)) {}

void WinPopupMenu::ClearItems() {
    menu_.Reset(::CreatePopupMenu());  // destroyed before its pictures go
    items_.clear();
}

void WinPopupMenu::AddItem(const std::string& caption, const std::string& key,
                           std::optional<std::int32_t> image, bool enabled) {
    const UINT id = static_cast<UINT>(items_.size() + 1);
    Item item{key, {}};
    if (caption == "-") {
        AppendMenuSeparator(menu_.Get(), id);
    } else {
        if (image && *image > 0) item.picture = LoadPictureBitmap(instance_, *image);
        AppendMenuCommand(menu_.Get(), id, Utf8ToWide(caption), item.picture.Get(), enabled, false);
    }
    items_.push_back(std::move(item));
}

std::int32_t WinPopupMenu::ShowPopup(std::int32_t x, std::int32_t y) {
    if (items_.empty() || !owner_) return 0;
    const POINT at{x, y};
    const bool atPointer = x == -1 && y == -1;
    return static_cast<std::int32_t>(TrackMenu(menu_.Get(), owner_.Get(), atPointer ? nullptr : &at));
}

void WinPopupMenu::SetItemChecked(const std::string& key, bool checked) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].key == key) {
            ::CheckMenuItem(menu_.Get(), static_cast<UINT>(i), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

std::string WinPopupMenu::ItemKey(std::int32_t position) {
    if (position < 1 || position > static_cast<std::int32_t>(items_.size())) Raise(err::kSubscriptOutOfRange);
    return items_[static_cast<size_t>(position - 1)].key;
}

void WinPopupMenu::SetFont(const std::string& face, double size) {
    fontName_ = face;
    fontSize_ = size;
}

}  // namespace brackwell::win
