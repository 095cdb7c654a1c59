#include "adapters/windows/controls/popup_menu.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

constexpr std::int32_t kSystemStyle = 2;

}  // namespace

WinPopupMenu::WinPopupMenu(HINSTANCE instance) : instance_(instance), owner_(CreateMenuOwnerWindow(instance)) {}

void WinPopupMenu::ClearItems() {
    menu_.Clear();  // destroyed before its pictures go
    items_.clear();
}

void WinPopupMenu::AddItem(const std::string& caption, const std::string& key,
                           std::optional<std::int32_t> image, bool enabled) {
    Item item{key, {}};
    if (caption == "-") {
        menu_.AppendSeparator();
    } else {
        // The menu shows at the system's DPI (its look leaves the DPI open).
        if (image && *image > 0) item.picture = LoadPictureBitmap(instance_, *image, !enabled, PictureSize(SystemDpi()));
        menu_.AppendCommand(Utf8ToWide(caption), item.picture.Get(), enabled, false);
    }
    items_.push_back(std::move(item));
}

MenuLook WinPopupMenu::Look() const { return MenuLook{visualStyle_ != kSystemStyle, ToolbarLook{}, font_}; }

std::int32_t WinPopupMenu::ShowPopup(std::int32_t x, std::int32_t y) {
    if (items_.empty() || !owner_) return 0;
    menu_.SetLook(Look());
    const POINT at{x, y};
    const bool atPointer = x == -1 && y == -1;
    return static_cast<std::int32_t>(TrackMenu(menu_.Handle(), owner_.Get(), atPointer ? nullptr : &at));
}

void WinPopupMenu::SetItemChecked(const std::string& key, bool checked) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].key == key) {
            ::CheckMenuItem(menu_.Handle(), static_cast<UINT>(i),
                            MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

std::string WinPopupMenu::ItemKey(std::int32_t position) {
    if (position < 1 || position > static_cast<std::int32_t>(items_.size())) Raise(err::kSubscriptOutOfRange);
    return items_[static_cast<size_t>(position - 1)].key;
}

void WinPopupMenu::SetFont(const std::string& face, double size) {
    font_.face = face;
    font_.size = size;
}

}  // namespace brackwell::win
