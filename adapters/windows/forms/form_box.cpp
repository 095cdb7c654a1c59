#include "adapters/windows/forms/form_box.h"

#include <windowsx.h>

#include <algorithm>

#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/forms/box_accessible.h"
#include "adapters/windows/forms/dialog_keys.h"
#include "adapters/windows/resources/picture_set.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/fills.h"
#include "adapters/windows/ui/window_class.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kFormBoxClass[] = L"BrackwellFormBox";
constexpr UINT kPostedClick = WM_APP + 1;
constexpr int kStripMargin = 14;  // above the strip's picture, which shows at twice its size
constexpr int kFrameDark = 2;   // a framed box's dark ring, the system's border included, at 96 dpi
constexpr int kFrameLight = 1;  // the light line inside it

}  // namespace

FormBox::FormBox(HINSTANCE instance, HWND parent, const RECT& bounds, int id, Kind kind, Color fill, Color fillTo,
                 int image)
    : instance_(instance), kind_(kind), fill_(fill), fillTo_(fillTo), image_(image), dpi_(WindowDpi(parent)), id_(id) {
    if (kind == Kind::Picture && image > 0) picture_ = LoadPictureBitmap(instance, image, false, PictureSize(dpi_));
    EnsureWindowClass(instance, kFormBoxClass, ObjectWindowProc<FormBox>, nullptr, CS_HREDRAW | CS_VREDRAW);
    // A container's option buttons are reached with the Tab key from outside.
    const DWORD exStyle = kind == Kind::Container ? WS_EX_CONTROLPARENT : 0;
    const DWORD tabStop = kind == Kind::ColorBox ? WS_TABSTOP : 0;  // chosen with the keyboard too
    hwnd_ = ::CreateWindowExW(exStyle, kFormBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | tabStop,
                              bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (!hwnd_) Raise(err::kInvalidCall, "Ein Steuerelement des Dialogs konnte nicht erstellt werden");
}

FormBox::~FormBox() {
    accessibility_.reset();
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void FormBox::SetFill(Color fill) {
    fill_ = fill;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool FormBox::Framed() const { return hwnd_ && (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_BORDER); }

void FormBox::SetFramed(bool framed) {
    if (!hwnd_ || Framed() == framed) return;
    LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    style = framed ? (style | WS_BORDER) : (style & ~static_cast<LONG_PTR>(WS_BORDER));
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);  // marked or not, for readers
}

void FormBox::SetDpi(int dpi) {
    dpi_ = dpi;
    if (kind_ == Kind::Picture && image_ > 0) picture_ = LoadPictureBitmap(instance_, image_, false, PictureSize(dpi));
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void FormBox::Paint(HDC dc, const RECT& client) const {
    if (kind_ == Kind::Picture) {
        FillGradient(dc, client, ToColorRef(fill_), ToColorRef(fillTo_), GradientDirection::TopToBottom);
        if (!picture_) return;
        MemoryDcHandle source(::CreateCompatibleDC(dc));
        SelectedObject selected(source.Get(), picture_.Get());
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        // Doubled, each pixel four: stretched by a whole number, it stays sharp.
        const int size = PictureBitmapSize(picture_.Get());
        const int x = (client.right - 2 * size) / 2;
        ::GdiAlphaBlend(dc, x, Scale(kStripMargin, dpi_), 2 * size, 2 * size, source.Get(), 0, 0, size, size, blend);
        return;
    }
    RECT inside = client;
    if (kind_ == Kind::ColorBox && Framed()) {
        // Beside the system's one-pixel border: dark, then light, wide
        // enough to show on a grey, a black or a white box alike.
        const int dark = std::max(1, Scale(kFrameDark, dpi_) - 1);
        const int light = std::max(1, Scale(kFrameLight, dpi_));
        ::FillRect(dc, &inside, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&inside, -dark, -dark);
        ::FillRect(dc, &inside, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::InflateRect(&inside, -light, -light);
    }
    BrushHandle brush(::CreateSolidBrush(ToColorRef(fill_)));
    ::FillRect(dc, &inside, brush.Get());
    if (kind_ == Kind::ColorBox && ::GetFocus() == hwnd_) {
        ::InflateRect(&inside, -1, -1);
        ::DrawFocusRect(dc, &inside);
    }
}

void FormBox::PostClick() {
    if (hwnd_) ::PostMessageW(hwnd_, kPostedClick, 0, 0);
}

void FormBox::WindowDestroyed() {
    hwnd_ = nullptr;
    if (accessibility_) accessibility_->Disconnect();
}

bool FormBox::ColorBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_GETDLGCODE: {
        // The arrows move among the boxes; Enter and Space choose this one.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        const bool choose = msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE);
        result = DLGC_WANTARROWS | (choose ? DLGC_WANTMESSAGE : 0);
        return true;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            ReportClick();
            return true;
        }
        if (wParam < VK_LEFT || wParam > VK_DOWN) return false;
        ::SetFocus(NeighbourBox(hwnd_, static_cast<UINT>(wParam)));
        return true;
    case WM_SETFOCUS:
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, CHILDID_SELF);
        [[fallthrough]];
    case WM_KILLFOCUS:
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    case kPostedClick:
        ReportClick();
        return true;
    case WM_GETOBJECT:
        if (!accessibility_) accessibility_ = std::make_unique<BoxAccessibility>(*this);
        result = accessibility_->Answer(wParam, lParam);
        return result != 0;
    }
    return false;
}

void FormBox::ReportClick() {
    // As a button reports a click: the form hears of it and may close
    // itself, this window with it.
    ::SendMessageW(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT FormBox::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; kind_ == Kind::ColorBox && hwnd_ && ColorBoxMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_NCCREATE:
        hwnd_ = hwnd;
        break;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        Paint(dc, client);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (kind_ != Kind::ColorBox) break;
        pressed_ = true;
        ::SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        if (kind_ != Kind::ColorBox || !pressed_) break;
        pressed_ = false;
        if (::GetCapture() == hwnd) ::ReleaseCapture();
        RECT client{};
        ::GetClientRect(hwnd, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (::PtInRect(&client, at)) ReportClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    // A container's option buttons talk to their parent; the form is the
    // one that listens.
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (kind_ == Kind::Container) return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace brackwell::win
