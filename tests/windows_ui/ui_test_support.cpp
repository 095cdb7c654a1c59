#include "ui_test_support.h"

#include <commctrl.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/controls/tree_item_text.h"
#include "adapters/windows/ui/win_handles.h"
#include "adapters/windows/ui/window_bitmap.h"

namespace brackwell::win::test {
namespace {

// A visible top-level window of `className` that belongs to `thread`. Menus
// and dialogs are top-level windows, whoever owns them.
HWND VisibleWindowOf(DWORD thread, const wchar_t* className) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = ::FindWindowExW(nullptr, w, className, nullptr)) {
        if (::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == thread) return w;
    }
    return nullptr;
}

}  // namespace

HWND SharedHostWindow() {
    static const WindowHandleOwner host = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = Instance();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = L"BrackwellTestHost";
        ::RegisterClassExW(&wc);
        RECT r{0, 0, 400, 300};
        ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
        WindowHandleOwner window(::CreateWindowExW(0, wc.lpszClassName, L"Brackwell test",
                                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 40, 40,
                                                   r.right - r.left, r.bottom - r.top, nullptr, nullptr, Instance(),
                                                   nullptr));
        PumpFor(std::chrono::milliseconds(20));
        return window;
    }();
    return host.Get();
}

void PumpFor(std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (std::chrono::steady_clock::now() >= deadline) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

ModalAnswerer::ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer) {
    thread_ = std::thread([this, className, answer = std::move(answer), uiThread = ::GetCurrentThreadId()] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (HWND found = VisibleWindowOf(uiThread, className)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it finish opening
                // Marked before the answer: the window may close, and the
                // waiting thread look, before this thread runs again.
                answered_ = true;
                answer(found);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

ModalAnswerer::~ModalAnswerer() {
    if (thread_.joinable()) thread_.join();
}

void PostKey(HWND window, UINT virtualKey) {
    // With the scan code, TranslateMessage can make the WM_CHAR that some
    // menu loops (Wine's for Enter) act on.
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, scan | 1);
    ::PostMessageW(window, WM_KEYUP, virtualKey, scan | 1 | static_cast<LPARAM>(0xC0000000u));
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

namespace {

void Send(INPUT input) { ::SendInput(1, &input, sizeof(INPUT)); }

}  // namespace

void MoveMouseTo(POINT screen) {
    // Absolute positions run from 0 to 65535 across the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535 + (width - 1) / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535 + (height - 1) / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(input);
    WaitFor([&] {
        POINT now{};
        ::GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    }, std::chrono::seconds(2));
}

void LeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    Send(input);
}

void RightButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    Send(input);
}

void HoldKey(BYTE virtualKey, bool down) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[virtualKey] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

POINT TreeLabelCentre(HWND tree, const std::wstring& text) {
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
        if (TreeItemText(tree, item) != text) continue;
        RECT label{};
        if (!TreeView_GetItemRect(tree, item, &label, TRUE)) break;
        POINT centre{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        ::ClientToScreen(tree, &centre);
        return centre;
    }
    return POINT{-1, -1};
}

ComPtr<IDataObject> SystemDataObject(UINT format, const void* bytes, size_t size) {
    // The clipboard needs an owner window; one that shows nowhere.
    static const WindowHandleOwner owner(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(), nullptr));
    if (!::OpenClipboard(owner.Get())) return {};
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), bytes, size);
    ::GlobalUnlock(memory);
    ::SetClipboardData(format, memory);  // the clipboard owns it now
    ::CloseClipboard();
    ComPtr<IDataObject> data;
    ::OleGetClipboard(data.Receive());
    return data;
}

ComPtr<IDataObject> SystemText(const std::wstring& text) {
    return SystemDataObject(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

namespace {

class FollowTheLeftButton final : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid != IID_IUnknown && iid != IID_IDropSource) return E_NOINTERFACE;
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

HRESULT DragInFromOutside(IDataObject* data, POINT from, POINT to, DWORD* effect) {
    std::atomic<bool> dragging{false};
    std::thread user([&] {
        MoveMouseTo(from);
        LeftButton(true);
        WaitFor([&] { return dragging.load(); });
        // Over the way in a few steps, as a hand moves, then let go: OLE
        // looks where the pointer is when the button comes up.
        for (int step = 1; step <= 4; ++step) {
            MoveMouseTo(POINT{from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        }
        LeftButton(false);
    });
    // OLE follows the button as this thread's input has it.
    PumpUntil([] { return ::GetKeyState(VK_LBUTTON) < 0; });
    dragging = true;
    const ComPtr<IDropSource> source = MakeComObject<FollowTheLeftButton>().Query<IDropSource>();
    const HRESULT result = ::DoDragDrop(data, source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
    user.join();
    return result;
}

ClientPixels::ClientPixels(HWND window, WindowDc::Area area) {
    const bool whole = area == WindowDc::Area::Whole;
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | (whole ? RDW_FRAME : 0));
    if (::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) {
        // Another thread's window is painted when that thread comes to it
        // (erased meanwhile): wait for the paint to begin (the update region
        // taken) and to end (the thread answering a message sent after it).
        WaitFor([&] { return !::GetUpdateRect(window, nullptr, FALSE); }, std::chrono::seconds(2));
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    }
    RECT client{};
    ::GetClientRect(window, &client);
    if (whole) {
        ::GetWindowRect(window, &client);
        ::OffsetRect(&client, -client.left, -client.top);
    }
    width_ = client.right;
    height_ = client.bottom;
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc source(window, area);
    MemoryDcHandle memory(::CreateCompatibleDC(source.Get()));
    void* bits = nullptr;
    BitmapHandle bitmap(::CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) return;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    pixels_.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (int i = 0; i < width_ * height_; ++i) pixels_.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
}

COLORREF ClientPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

bool ClientPixels::Shows(const RECT& r, COLORREF color) const {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == color) return true;
    return false;
}

MenuPicture PictureOfMenu(HWND menuWindow, const std::wstring& pictureName) {
    MenuPicture picture;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    PostKey(menuWindow, VK_DOWN);
    WaitFor([&] { return (::GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE) != 0; });
    WriteWindowBitmap(menuWindow, pictureName);  // for review, in the test's folder when CTest runs it
    picture.pixels = ClientPixels(menuWindow, WindowDc::Area::Whole);
    RECT window{};
    ::GetWindowRect(menuWindow, &window);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        RECT item{};
        ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item);
        ::OffsetRect(&item, -window.left, -window.top);
        picture.items.push_back(item);
    }
    return picture;
}

int CaptionInkWidth(const ClientPixels& pixels, RECT item, COLORREF background) {
    const auto distinct = [&](COLORREF c) {
        return c != CLR_INVALID && std::abs(GetRValue(c) - GetRValue(background)) +
                                           std::abs(GetGValue(c) - GetGValue(background)) +
                                           std::abs(GetBValue(c) - GetBValue(background)) > 120;
    };
    WindowDc screen(nullptr);
    item.left += ::MulDiv(24, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 96) + 1;  // past the pictures
    int first = -1, last = -1;
    for (int x = item.left; x < item.right; ++x)
        for (int y = item.top; y < item.bottom; ++y)
            if (distinct(pixels.At(x, y))) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return first < 0 ? 0 : last - first + 1;
}

int TextWidth(const wchar_t* face, double points, const std::wstring& text) {
    WindowDc screen(nullptr);
    const int height = -static_cast<int>(std::lround(points * ::GetDeviceCaps(screen.Get(), LOGPIXELSY) / 72.0));
    FontHandle font(::CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
    SelectedObject selected(screen.Get(), font.Get());
    SIZE size{};
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

ComPtr<IAccessible> AccessibleOf(HWND window) {
    ::OleInitialize(nullptr);  // LresultFromObject marshals; once per thread is enough
    ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), object.ReceiveVoid());
    return object;
}

namespace {
AccessibleEvents* recording = nullptr;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (recording && object == OBJID_CLIENT) recording->seen.emplace_back(event, window, child);
}
}  // namespace

AccessibleEvents::AccessibleEvents()
    : hook_(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, RecordEvent, 0,
                              ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT)) {
    recording = this;
}

AccessibleEvents::~AccessibleEvents() {
    ::UnhookWinEvent(hook_);
    recording = nullptr;
}

VARIANT ChildId(long id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring AccName(IAccessible* object, long id, HRESULT (STDMETHODCALLTYPE IAccessible::*member)(VARIANT, BSTR*)) {
    BSTR name = nullptr;
    if (FAILED((object->*member)(ChildId(id), &name))) return L"(failed)";
    std::wstring text(name, ::SysStringLen(name));
    ::SysFreeString(name);
    return text;
}

long AccRole(IAccessible* object, long id) {
    VARIANT role{};
    return object->get_accRole(ChildId(id), &role) == S_OK ? role.lVal : -1;
}

long AccState(IAccessible* object, long id) {
    VARIANT state{};
    return object->get_accState(ChildId(id), &state) == S_OK ? state.lVal : -1;
}

}  // namespace brackwell::win::test
