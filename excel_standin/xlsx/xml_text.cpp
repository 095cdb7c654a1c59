#include "excel_standin/xlsx/xml_text.h"

#include "adapters/windows/common/utf.h"

namespace brackwell::win::xlsx {

namespace {

bool IsHex(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

// "_xHHHH_" at `at`.
bool IsEscapeAt(std::wstring_view text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != L'_' || text[at + 1] != L'x' || text[at + 6] != L'_') return false;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        if (!IsHex(text[i])) return false;
    }
    return true;
}

bool IsXmlChar(wchar_t c) { return c == L'\t' || c == L'\n' || c == L'\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF); }

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return c - L'A' + 10;
}

void AppendEscape(std::wstring& out, unsigned unit) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    out += L"_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(unit >> shift) & 0xF];
    out += L'_';
}

}  // namespace

std::string XmlEscaped(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string XstringEncoded(std::string_view utf8) {
    const std::wstring text = Utf8ToWide(utf8);
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i)) {
            out += L"_x005F_";
        } else if (!IsXmlChar(text[i])) {
            AppendEscape(out, static_cast<unsigned>(text[i]));
        } else {
            out += text[i];
        }
    }
    return WideToUtf8(out);
}

std::string XstringDecoded(std::string_view utf8) {
    if (utf8.find("_x") == std::string_view::npos) return std::string(utf8);
    const std::wstring text = Utf8ToWide(utf8);
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i)) {
            unsigned unit = 0;
            for (std::size_t d = i + 2; d < i + 6; ++d) unit = unit << 4 | static_cast<unsigned>(HexValue(text[d]));
            out += static_cast<wchar_t>(unit);
            i += 6;
        } else {
            out += text[i];
        }
    }
    return WideToUtf8(out);
}

}  // namespace brackwell::win::xlsx
