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

bool WriteWindowBitmap(HWND window, const std::wstring& path) { return WriteWindowsBitmap({window}, path); }

bool WriteWindowsBitmap(const std::vector<HWND>& windows, const std::wstring& path) {
    RECT all{};
    for (HWND window : windows) {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT r{};
        ::GetWindowRect(window, &r);
        ::UnionRect(&all, &all, &r);
    }
    const int width = all.right - all.left;
    const int height = all.bottom - all.top;
    if (windows.empty() || width <= 0 || height <= 0) return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    WindowDc screen(nullptr);
    MemoryDcHandle memory(::CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || !bits) return false;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        const RECT whole{0, 0, width, height};
        ::FillRect(memory.Get(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        for (HWND window : windows) {
            // Each window's own device context rather than the screen's: Wine
            // draws into a surface of the window and hands it to the X server
            // later, so the screen may lag behind what was just painted.
            RECT r{};
            ::GetWindowRect(window, &r);
            WindowDc source(window, WindowDc::Area::Whole);
            if (!source.Get() || !::BitBlt(memory.Get(), r.left - all.left, r.top - all.top, r.right - r.left,
                                           r.bottom - r.top, source.Get(), 0, 0, SRCCOPY))
                return false;
        }
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
