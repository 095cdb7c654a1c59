#pragma once
// Helpers for tests that drive real windows: a visible host window, message
// pumping, and a helper thread that answers a modal window (message box,
// dialog, menu) the way a user would.

#include <windows.h>

#include <oleacc.h>
#include <oleidl.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::test {

// The test program's module: it links the pictures.
inline HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

// One visible top-level window for the whole program, 400 x 300 client
// pixels, for controls that need a parent. Under Wine without a window
// manager every destroyed top-level window costs two seconds, so the tests
// share this one and destroy only their children.
HWND SharedHostWindow();

// Dispatches whatever arrives for `time`.
void PumpFor(std::chrono::milliseconds time);

std::wstring WindowText(HWND window);

// Waits on a thread of its own for a visible window of class `className`
// that belongs to this thread, then runs `answer` with it on the helper
// thread (SendMessage and PostMessage work because this thread sits in the
// window's modal loop). Joins on destruction.
class ModalAnswerer {
public:
    ModalAnswerer(const wchar_t* className, std::function<void(HWND)> answer);
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;
    ~ModalAnswerer();

    bool Answered() const { return answered_; }

private:
    std::thread thread_;
    std::atomic<bool> answered_{false};
};

// A key pressed in the menu that is showing (its modal loop reads the thread's queue).
void PostKey(HWND window, UINT virtualKey);

// Dispatches messages until `done` says so or `limit` has passed; false
// when the deadline came first.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));

// For a thread that waits on another: true once `done` says so, false when
// `limit` passed first.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));

// Real input, as the system gets it from the mouse (SendInput): it goes to
// whichever window is under the pointer, or holds the capture.
void MoveMouseTo(POINT screen);  // and waits until the pointer is there
void LeftButton(bool down);
void RightButton(bool down);

// Marks `virtualKey` as held down (or up) in this thread's keyboard state,
// as GetKeyState reports it, for keys posted with PostMessage.
void HoldKey(BYTE virtualKey, bool down);

// The screen point in the middle of the label of `tree`'s item showing
// `text` (searched among the shown items); {-1, -1} when there is none.
POINT TreeLabelCentre(HWND tree, const std::wstring& text);

// Another program's side of OLE drag and drop: the data object the system
// makes of the clipboard after `bytes` were put there in `format` (or as
// text).
ComPtr<IDataObject> SystemDataObject(UINT format, const void* bytes, size_t size);
ComPtr<IDataObject> SystemText(const std::wstring& text);

// Another program's whole drag of `data`, by real mouse input: pressed at
// `from`, moved to `to` and let go there; OLE's DoDragDrop runs on this
// thread. Returns its result; `effect` gets the drop's effect.
HRESULT DragInFromOutside(IDataObject* data, POINT from, POINT to, DWORD* effect);

// The client area of a window (or the whole window) as drawn, read back
// pixel by pixel.
class ClientPixels {
public:
    ClientPixels() = default;
    explicit ClientPixels(HWND window, WindowDc::Area area = WindowDc::Area::Client);  // repaints it first
    COLORREF At(int x, int y) const;  // CLR_INVALID outside
    COLORREF At(POINT p) const { return At(p.x, p.y); }
    // Whether `color` shows anywhere in `r`.
    bool Shows(const RECT& r, COLORREF color) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// A shown menu as a user sees it, taken from another thread while the
// menu's thread waits in it: the first item marked with the keyboard, the
// whole window's pixels (also written to the file `pictureName`) and each
// item's rectangle in them.
struct MenuPicture {
    ClientPixels pixels;
    std::vector<RECT> items;
};
MenuPicture PictureOfMenu(HWND menuWindow, const std::wstring& pictureName);
// How wide the caption of a menu item is drawn: from the first to the last
// column right of the pictures with a pixel far from `background`.
int CaptionInkWidth(const ClientPixels& pixels, RECT item, COLORREF background);

// A window's object as a screen reader gets it (OLE initialised on this
// thread first), and what the object says of its child `id` (0: itself).
ComPtr<IAccessible> AccessibleOf(HWND window);
VARIANT ChildId(long id);
// The focus and state changes this thread's windows announce to screen
// readers (event, window, child), as they arrive while the thread pumps.
class AccessibleEvents {
public:
    AccessibleEvents();
    ~AccessibleEvents();
    AccessibleEvents(const AccessibleEvents&) = delete;
    AccessibleEvents& operator=(const AccessibleEvents&) = delete;
    std::vector<std::tuple<DWORD, HWND, LONG>> seen;

private:
    HWINEVENTHOOK hook_;
};
// Its name, or another text it says (get_accValue, get_accDefaultAction).
std::wstring AccName(IAccessible* object, long id,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*member)(VARIANT, BSTR*) = &IAccessible::get_accName);
long AccRole(IAccessible* object, long id);
long AccState(IAccessible* object, long id);

// The width GDI gives `text` in `face` at `points` on this screen.
int TextWidth(const wchar_t* face, double points, const std::wstring& text);

}  // namespace brackwell::win::test
