#include "adapters/windows/controls/tree_pictures.h"

#include <commctrl.h>

#include "adapters/windows/controls/tree_items.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"

namespace brackwell::win {

ImageListHandle MakeTreePictures(HINSTANCE instance, int dpi) {
    const int size = PictureSize(dpi);
    ImageListHandle images(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kTreePictureCount, 0));
    for (int image = 1; image <= kTreePictureCount; ++image) {
        IconHandle icon = LoadPicture(instance, image, size);
        if (icon) ::ImageList_AddIcon(images.Get(), icon.Get());
    }
    return images;
}

}  // namespace brackwell::win
