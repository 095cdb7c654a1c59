#include "package/helper/install_places.h"

#include <windows.h>

namespace brackwell::package {
namespace {

std::wstring Variable(const wchar_t* name) {
    std::wstring value(::GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::wstring Below(const wchar_t* variable, const wchar_t* rest) {
    const std::wstring base = Variable(variable);
    return base.empty() ? base : base + rest;
}

// A directory search, closed once (FindFirstFileW's handle is not a kernel handle).
struct FindHandle {
    explicit FindHandle(HANDLE found) noexcept : handle(found) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
    const HANDLE handle;
};

void Collect(const std::wstring& folder, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW found{};
    const FindHandle find{::FindFirstFileW((folder + L"\\*").c_str(), &found)};
    if (find.handle == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Collect(folder + L"\\" + name, files);
        } else {
            files.push_back(folder + L"\\" + name);
        }
    } while (::FindNextFileW(find.handle, &found));
}

}  // namespace

std::wstring InstallFolder() { return Below(L"LOCALAPPDATA", L"\\Brackwell"); }

std::wstring AddinWorkbook() { return Below(L"APPDATA", L"\\Microsoft\\AddIns\\Brackwell.xlam"); }

std::vector<std::wstring> FilesBelow(const std::wstring& folder) {
    std::vector<std::wstring> files;
    Collect(folder, files);
    return files;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace brackwell::package
