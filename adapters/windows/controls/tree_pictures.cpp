#include "adapters/windows/controls/tree_pictures.h"

#include <commctrl.h>

#include <algorithm>

#include "adapters/windows/controls/tree_items.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"

namespace brackwell::win {
namespace {

constexpr int kRowHeight = 18;  // at 96 dpi: a 16-pixel picture with a pixel above and below

}  // namespace

ImageListHandle MakeTreePictures(HINSTANCE instance, int dpi) {
    const int size = PictureSize(dpi);
    ImageListHandle images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kTreePictureCount, 0));
    for (int image = 1; image <= kTreePictureCount; ++image) {
        IconHandle icon = LoadPicture(instance, image, size);
        if (icon) ::ImageList_AddIcon(images.Get(), icon.Get());
    }
    return images;
}

void FitTreeToDpi(HWND tree, HIMAGELIST pictures, int dpi) {
    // A scaled height may be odd (23 at 120 dpi): the control would cut it down.
    ::SetWindowLongPtrW(tree, GWL_STYLE, ::GetWindowLongPtrW(tree, GWL_STYLE) | TVS_NONEVENHEIGHT);
    TreeView_SetImageList(tree, pictures, TVSIL_NORMAL);
    TreeView_SetItemHeight(tree, -1);  // the control's own height for its font and pictures
    const int natural = TreeView_GetItemHeight(tree);
    const int scaled = Scale(kRowHeight, dpi);
    if (natural < scaled) TreeView_SetItemHeight(tree, scaled);
}

}  // namespace brackwell::win
