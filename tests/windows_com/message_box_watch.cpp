#include "tests/windows_com/message_box_watch.h"

#include <chrono>

namespace brackwell::win::test {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    // WM_GETTEXT works across processes for the box and its static controls.
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, nullptr);
    return text;
}

struct Search {
    DWORD processId;
    bool onlyComponentBoxes;
    HWND found = nullptr;
};

struct Parts {
    int buttons = 0;
    int edits = 0;
};

BOOL CALLBACK CountParts(HWND child, LPARAM data) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    auto* parts = reinterpret_cast<Parts*>(data);
    if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(child)) ++parts->buttons;
    if (lstrcmpiW(className, L"Edit") == 0) ++parts->edits;
    return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner != search->processId || lstrcmpW(className, kDialogClass) != 0 || !IsWindowVisible(window) ||
        (search->onlyComponentBoxes && !IsComponentMessageBox(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) {
        std::wstring text = WindowText(child);
        if (!text.empty()) {
            auto* out = reinterpret_cast<std::wstring*>(data);
            if (!out->empty()) *out += L"\n";
            *out += text;
        }
    }
    return TRUE;
}

}  // namespace

bool IsComponentMessageBox(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, kDialogClass) != 0) return false;
    Parts parts;
    EnumChildWindows(window, CountParts, reinterpret_cast<LPARAM>(&parts));
    return parts.buttons == 1 && parts.edits == 0;
}

MessageBoxWatch::MessageBoxWatch(DWORD processId) : processId_(processId), thread_([this] { Run(); }) {}

MessageBoxWatch::~MessageBoxWatch() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatch::Run() {
    while (!stop_) {
        Search search{processId_, onlyComponentBoxes_};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            SeenMessageBox box{WindowText(search.found), {}};
            EnumChildWindows(search.found, CollectText, reinterpret_cast<LPARAM>(&box.text));
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(box);
            }
            // The OK button: every box the component shows has only that one.
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Let it go before looking again, so one box is not counted twice.
            for (int i = 0; i < 100 && IsWindow(search.found) && IsWindowVisible(search.found); ++i) Sleep(20);
        }
        Sleep(30);
    }
}

std::vector<SeenMessageBox> MessageBoxWatch::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

bool MessageBoxWatch::WaitFor(std::size_t count, DWORD milliseconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Seen().size() >= count) return true;
        Sleep(20);
    }
    return Seen().size() >= count;
}

}  // namespace brackwell::win::test
