#include "package/helper/excel_running.h"

#include <windows.h>

#include <tlhelp32.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::package {

bool ExcelRunsInThisSession() {
    DWORD ownSession = 0;
    if (!::ProcessIdToSessionId(::GetCurrentProcessId(), &ownSession)) return false;
    const win::KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.Get() == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &process); more;
         more = ::Process32NextW(snapshot.Get(), &process)) {
        DWORD session = 0;
        if (::CompareStringOrdinal(process.szExeFile, -1, L"EXCEL.EXE", -1, TRUE) == CSTR_EQUAL &&
            ::ProcessIdToSessionId(process.th32ProcessID, &session) && session == ownSession) {
            return true;
        }
    }
    return false;
}

std::wstring HeldOpen(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) {
        // Opening for writing while allowing everyone everything fails only
        // where another handle denies writing (or maps the file as an image).
        const win::KernelHandle opened(::CreateFileW(file.c_str(), GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (opened.Get() != INVALID_HANDLE_VALUE) continue;
        const DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE)
            return file;
    }
    return {};
}

}  // namespace brackwell::package
