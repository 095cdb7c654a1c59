#include "adapters/windows/common/utf.h"

#include <windows.h>

#include <climits>
#include <new>

namespace brackwell::win {

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::bad_alloc();
    return static_cast<int>(size);
}

bool IsAscii(std::string_view text) noexcept {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool IsAscii(std::wstring_view text) noexcept {
    for (const wchar_t c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::size_t WideLength(std::string_view utf8) {
    if (IsAscii(utf8)) return utf8.size();
    return static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), CheckedLength(utf8.size()), nullptr, 0));
}

void WidenInto(std::string_view utf8, wchar_t* out, std::size_t length) {
    if (length == utf8.size() && IsAscii(utf8)) {
        for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<unsigned char>(utf8[i]);
        return;
    }
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), CheckedLength(utf8.size()), out, CheckedLength(length));
}

void Utf8ToWide(std::string_view utf8, std::wstring& into) {
    const std::size_t length = utf8.empty() ? 0 : WideLength(utf8);
    into.resize(length);
    if (length > 0) WidenInto(utf8, into.data(), length);
}

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring wide;
    Utf8ToWide(utf8, wide);
    return wide;
}

void WideToUtf8(std::wstring_view wide, std::string& into) {
    if (IsAscii(wide)) {
        into.resize(wide.size());
        for (std::size_t i = 0; i < wide.size(); ++i) into[i] = static_cast<char>(wide[i]);
        return;
    }
    const int inLength = CheckedLength(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    into.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, into.data(), length, nullptr, nullptr);
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string utf8;
    WideToUtf8(wide, utf8);
    return utf8;
}

}  // namespace brackwell::win
