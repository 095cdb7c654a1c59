// Stands in for the system information program: leaves a file named after
// itself with ".ran" appended, so a test sees that it was started.

#include <windows.h>

int main() {
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    ::lstrcatW(path, L".ran");
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    ::CloseHandle(file);
    return 0;
}
