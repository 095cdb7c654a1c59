#include "excel_standin/office/atl_container.h"

namespace brackwell::office {
namespace {

struct AtlLibrary {
    using WinInit = BOOL(WINAPI*)();
    using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
    bool ready = false;
    GetControl getControl = nullptr;
};

template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const AtlLibrary& Library() {
    static const AtlLibrary library = [] {
        AtlLibrary atl;
        HMODULE module = ::LoadLibraryW(L"atl100.dll");  // kept for the process's life, as its class needs
        if (!module) return atl;
        const auto init = Export<AtlLibrary::WinInit>(module, "AtlAxWinInit");
        atl.getControl = Export<AtlLibrary::GetControl>(module, "AtlAxGetControl");
        atl.ready = init && atl.getControl && init();
        return atl;
    }();
    return library;
}

}  // namespace

bool AtlContainerReady() { return Library().ready; }

HWND CreateAtlContainerWindow(HWND parent, const std::wstring& progId, const RECT& place) {
    if (!AtlContainerReady()) return nullptr;
    // The class is registered for the program's module (GetModuleHandle(NULL)).
    return ::CreateWindowExW(0, kAtlContainerClass, progId.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                             place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

win::ComPtr<IUnknown> AtlControlOf(HWND container) {
    win::ComPtr<IUnknown> control;
    if (!container || !AtlContainerReady()) return control;
    if (FAILED(Library().getControl(container, control.Receive()))) control.Reset();
    return control;
}

}  // namespace brackwell::office
