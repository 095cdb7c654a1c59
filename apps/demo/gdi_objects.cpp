#include "apps/demo/gdi_objects.h"

#include <windows.h>

#include <cstdint>

namespace brackwell::demo {
namespace {

constexpr std::uintptr_t kFirstHandle = 32;   // Wine's first GDI handle index
constexpr std::uintptr_t kHandleCount = 16384;

}  // namespace

int GdiObjectCount() {
    if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(counted);
    int live = 0;
    for (std::uintptr_t index = kFirstHandle; index < kFirstHandle + kHandleCount; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    }
    return live;
}

}  // namespace brackwell::demo
