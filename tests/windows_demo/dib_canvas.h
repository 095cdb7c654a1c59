#pragma once
// A 32-bit picture in memory that a test draws or copies into and then reads
// pixel by pixel (0x00RRGGBB).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::demo::test {

class DibCanvas {
public:
    DibCanvas(int width, int height) : width_(width), height_(height) {
        win::WindowDc screen(nullptr);
        dc_.Reset(::CreateCompatibleDC(screen.Get()));
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.Reset(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        old_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~DibCanvas() { ::SelectObject(dc_.Get(), old_); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const noexcept { return dc_.Get(); }
    // Every pixel, row by row from the top.
    std::vector<std::uint32_t> Pixels() const {
        ::GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits_);
        std::vector<std::uint32_t> pixels(first, first + width_ * height_);
        for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
        return pixels;
    }

private:
    int width_;
    int height_;
    win::MemoryDcHandle dc_;
    win::BitmapHandle bitmap_;
    void* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace brackwell::demo::test
