#include "adapters/windows/common/system_upper_case.h"

#include <windows.h>

#include <algorithm>

#include "adapters/windows/common/utf.h"

namespace brackwell::win {

std::optional<std::string> SystemUpperCase(std::string_view utf8) {
    const std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty()) return std::string();
    const auto map = [&](wchar_t* out, int size) {
        return ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.c_str(), static_cast<int>(wide.size()),
                               out, size, nullptr, nullptr, 0);
    };
    // The mapping keeps the length, so one call nearly always does; the
    // size is asked only when it did not.
    std::wstring upper(wide.size(), L'\0');
    int written = map(upper.data(), static_cast<int>(upper.size()));
    if (written == 0 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        upper.assign(static_cast<std::size_t>(std::max(map(nullptr, 0), 0)), L'\0');
        written = upper.empty() ? 0 : map(upper.data(), static_cast<int>(upper.size()));
    }
    if (written <= 0) return std::nullopt;
    upper.resize(static_cast<std::size_t>(written));
    return WideToUtf8(upper);
}

}  // namespace brackwell::win
