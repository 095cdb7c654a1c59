#include "adapters/windows/resources/picture_set.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace brackwell::win {
namespace {

// RT_GROUP_ICON and RT_ICON, spelled for the W functions whatever UNICODE says.
const wchar_t* const kGroupIconType = MAKEINTRESOURCEW(14);
const wchar_t* const kIconType = MAKEINTRESOURCEW(3);

// The `size` x `size` image of the icon resource `imageNumber`: its header
// and bottom-up BGRA rows, as the icon file stored them.
const BITMAPINFOHEADER* FindIconImage(HINSTANCE instance, int imageNumber, int size) {
    HRSRC group = ::FindResourceW(instance, MAKEINTRESOURCEW(imageNumber), kGroupIconType);
    if (!group) return nullptr;
    HGLOBAL groupData = ::LoadResource(instance, group);
    auto* directory = static_cast<PBYTE>(::LockResource(groupData));
    if (!directory) return nullptr;
    const int id = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    if (!id) return nullptr;
    HRSRC image = ::FindResourceW(instance, MAKEINTRESOURCEW(id), kIconType);
    if (!image) return nullptr;
    auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(instance, image)));
    if (!header || ::SizeofResource(instance, image) < sizeof(BITMAPINFOHEADER)) return nullptr;
    // The pictures are 32-bit icons (tools/make-pictures); others are not read.
    // The look-up takes the nearest size: only the exact one is used.
    if (header->biBitCount != 32 || header->biWidth != size || header->biHeight != 2 * size ||
        header->biCompression != BI_RGB) {
        return nullptr;
    }
    const DWORD needed = sizeof(BITMAPINFOHEADER) + static_cast<DWORD>(size * size * 4);
    if (::SizeofResource(instance, image) < needed) return nullptr;
    return header;
}

// A stored image and how many times over it is drawn to make a picture of
// a size that is not stored: each of its pixels becomes factor x factor, so
// a whole multiple stays as sharp as the image.
struct Source {
    const BITMAPINFOHEADER* header = nullptr;
    int factor = 1;
    // The BGRA pixel at (x, y) of the picture, counted from the bottom row as icons are.
    const std::uint8_t* Pixel(int x, int y) const {
        const int size = header->biWidth;
        return reinterpret_cast<const std::uint8_t*>(header + 1) + ((y / factor) * size + x / factor) * 4;
    }
};

Source FindSource(HINSTANCE instance, int imageNumber, int size) {
    if (const BITMAPINFOHEADER* exact = FindIconImage(instance, imageNumber, size)) return {exact, 1};
    // The smallest stored size that fits a whole number of times: 48 is the
    // 16-pixel image, as drawn, three times over.
    for (const int stored : {16, 20, 24, 32}) {
        if (size % stored != 0) continue;
        if (const BITMAPINFOHEADER* image = FindIconImage(instance, imageNumber, stored)) return {image, size / stored};
    }
    return {};
}

// An icon of `size` made from a stored image `factor` times over, in the
// format of an icon resource: the header, the BGRA rows, an empty mask (the
// alpha channel masks a 32-bit icon).
IconHandle EnlargedIcon(const Source& source, int size) {
    const DWORD maskStride = static_cast<DWORD>(((size + 31) / 32) * 4);
    std::vector<std::uint8_t> data(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(size) * size * 4 +
                                   static_cast<size_t>(maskStride) * size);
    BITMAPINFOHEADER header = *source.header;
    header.biWidth = size;
    header.biHeight = 2 * size;
    header.biSizeImage = 0;
    std::memcpy(data.data(), &header, sizeof(header));
    std::uint8_t* rows = data.data() + sizeof(header);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) std::memcpy(rows + (y * size + x) * 4, source.Pixel(x, y), 4);
    return IconHandle(::CreateIconFromResourceEx(data.data(), static_cast<DWORD>(data.size()), TRUE, 0x00030000,
                                                 size, size, LR_DEFAULTCOLOR));
}

}  // namespace

IconHandle LoadPicture(HINSTANCE instance, int imageNumber, int size) {
    const Source source = FindSource(instance, imageNumber, size);
    if (source.header && source.factor > 1) return EnlargedIcon(source, size);
    return IconHandle(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(imageNumber), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

BitmapHandle LoadPictureBitmap(HINSTANCE instance, int imageNumber, bool greyed, int size) {
    const Source source = FindSource(instance, imageNumber, size);
    if (!source.header) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};

    auto* target = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* pixel = source.Pixel(x, size - 1 - y);  // icons are bottom-up
            std::uint32_t b = pixel[0], g = pixel[1], r = pixel[2], a = pixel[3];
            if (greyed) {
                const std::uint32_t grey = (r * 30 + g * 59 + b * 11) / 100;
                r = g = b = (grey + 255) / 2;  // lighter
                a = a / 2;                    // and faded
            }
            std::uint8_t* out = target + (y * size + x) * 4;
            // Menus and AlphaBlend expect the colour multiplied by the alpha.
            out[0] = static_cast<std::uint8_t>(b * a / 255);
            out[1] = static_cast<std::uint8_t>(g * a / 255);
            out[2] = static_cast<std::uint8_t>(r * a / 255);
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
    return bitmap;
}

int PictureBitmapSize(HBITMAP picture) {
    BITMAP bitmap{};
    return picture && ::GetObjectW(picture, sizeof(bitmap), &bitmap) ? bitmap.bmWidth : 0;
}

void DrawPictureBitmap(HDC dc, int x, int y, HBITMAP picture) {
    const int size = PictureBitmapSize(picture);
    if (!size) return;
    MemoryDcHandle source(::CreateCompatibleDC(dc));
    SelectedObject selected(source.Get(), picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, size, size, source.Get(), 0, 0, size, size, blend);
}

}  // namespace brackwell::win
