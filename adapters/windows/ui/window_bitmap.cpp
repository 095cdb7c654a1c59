#include "adapters/windows/ui/window_bitmap.h"

#include <cstdio>
#include <memory>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {
namespace {

struct CloseFile {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

}  // namespace

bool WriteWindowBitmap(HWND window, const std::wstring& path) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    // The window's own device context rather than the screen's: Wine draws
    // into a surface of the window and hands it to the X server later, so
    // the screen may lag behind what was just painted.
    WindowDc source(window, WindowDc::Area::Whole);
    MemoryDcHandle memory(::CreateCompatibleDC(source.Get()));
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!source.Get() || !memory || !bitmap || !bits) return false;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        if (!::BitBlt(memory.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY)) return false;
    }
    ::GdiFlush();

    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;

    std::unique_ptr<std::FILE, CloseFile> file(::_wfopen(path.c_str(), L"wb"));
    if (!file) return false;
    const bool written = std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file.get()) == 1 &&
                         std::fwrite(bits, imageBytes, 1, file.get()) == 1;
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace brackwell::win
