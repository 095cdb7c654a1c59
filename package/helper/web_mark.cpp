#include "package/helper/web_mark.h"

#include <windows.h>

namespace brackwell::package {

bool RemoveWebMark(const std::wstring& file) {
    if (::DeleteFileW((file + L":Zone.Identifier").c_str())) return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

}  // namespace brackwell::package
