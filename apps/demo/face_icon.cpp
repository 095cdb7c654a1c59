#include "apps/demo/face_icon.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace brackwell::demo {
namespace {

// The layout of an .ico file: a header, then one entry per image.
#pragma pack(push, 1)
struct IconFileHeader {
    std::uint16_t reserved;
    std::uint16_t type;  // 1: icon
    std::uint16_t count;
};
struct IconFileEntry {
    std::uint8_t width;  // 0 means 256
    std::uint8_t height;
    std::uint8_t colors;
    std::uint8_t reserved;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t bytes;
    std::uint32_t offset;
};
#pragma pack(pop)

}  // namespace

win::IconHandle LoadFaceIcon(HINSTANCE module, int faceId, int size) {
    const std::wstring name = L"FACE" + std::to_wstring(faceId);
    HRSRC found = ::FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    const DWORD length = ::SizeofResource(module, found);
    if (bytes == nullptr || length < sizeof(IconFileHeader)) return {};

    IconFileHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.type != 1 || length < sizeof header + header.count * sizeof(IconFileEntry)) return {};
    const IconFileEntry* best = nullptr;
    IconFileEntry entries[16];
    const int count = header.count < 16 ? header.count : 16;
    std::memcpy(entries, bytes + sizeof header, count * sizeof(IconFileEntry));
    for (int i = 0; i < count; ++i) {
        const int width = entries[i].width == 0 ? 256 : entries[i].width;
        if (!best || std::abs(width - size) < std::abs((best->width == 0 ? 256 : best->width) - size)) best = &entries[i];
    }
    if (!best || best->offset > length || best->bytes > length - best->offset) return {};
    return win::IconHandle(::CreateIconFromResourceEx(const_cast<BYTE*>(bytes + best->offset), best->bytes, TRUE,
                                                      0x00030000, size, size, LR_DEFAULTCOLOR));
}

}  // namespace brackwell::demo
