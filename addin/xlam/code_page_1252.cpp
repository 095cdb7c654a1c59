#include "addin/xlam/code_page_1252.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace brackwell::addin {

namespace {

// Bytes 0x80 to 0x9F, where code page 1252 differs from Latin-1; zero marks
// the five bytes it leaves unassigned.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool ToByte(char32_t c, char& byte) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::string CodePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The character starting at `at`, and how many bytes it takes; 0 bytes for
// a sequence that is not UTF-8 (cut short, too long, a surrogate, beyond
// U+10FFFF).
char32_t Decode(std::string_view text, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        length = 0;
        return 0;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            length = 0;
            return 0;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) length = 0;
    return c;
}

}  // namespace

std::string Utf8ToCodePage1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t line = 1;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 0;
        const char32_t c = Decode(utf8, at, length);
        if (length == 0) throw ModuleTextError(line, "bytes that are not UTF-8");
        char byte = 0;
        if (!ToByte(c, byte)) throw ModuleTextError(line, CodePoint(c) + " is not in code page 1252");
        out.push_back(byte);
        if (c == '\n') ++line;
        at += length;
    }
    return out;
}

}  // namespace brackwell::addin
