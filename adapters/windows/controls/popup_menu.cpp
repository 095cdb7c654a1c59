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
    Item item{key, image.value_or(0), enabled, {}};
    if (caption == "-") {
        menu_.AppendSeparator();
    } else {
        if (item.image > 0) item.picture = LoadPictureBitmap(instance_, item.image, !enabled, picturesSize_);
        menu_.AppendCommand(Utf8ToWide(caption), item.picture.Get(), enabled, false);
    }
    items_.push_back(std::move(item));
}

MenuLook WinPopupMenu::Look() const { return MenuLook{visualStyle_ != kSystemStyle, ToolbarLook{}, font_, dpi_}; }

std::int32_t WinPopupMenu::ShowPopup(std::int32_t x, std::int32_t y) {
    if (items_.empty() || !owner_) return 0;
    const POINT given{x, y};
    const POINT at = MenuPoint(x == -1 && y == -1 ? nullptr : &given);
    // Measured and drawn for the screen of the window it opens over.
    dpi_ = LayoutDpi(::WindowFromPoint(at));
    if (PictureSize(dpi_) != picturesSize_) {
        picturesSize_ = PictureSize(dpi_);
        for (std::size_t i = 0; i < items_.size(); ++i) {
            Item& item = items_[i];
            if (item.image <= 0) continue;
            BitmapHandle picture = LoadPictureBitmap(instance_, item.image, !item.enabled, picturesSize_);
            menu_.SetPicture(static_cast<UINT>(i), picture.Get());
            item.picture = std::move(picture);  // the old one goes once the menu no longer shows it
        }
    }
    menu_.SetLook(Look());
    return static_cast<std::int32_t>(TrackMenu(menu_.Handle(), owner_.Get(), &at));
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
