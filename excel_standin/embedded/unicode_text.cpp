#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {

namespace {

constexpr char32_t kMalformedBase = 0xDC00;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool IsMalformed(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// Pairs of capital and small letter that sit next to each other, capital on
// the even (or odd) code point.
bool InPairRange(char32_t cp, char32_t first, char32_t last, bool capitalEven) {
    return cp >= first && cp <= last && ((cp % 2 == 0) == capitalEven);
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kMalformedBase + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(c)) {
            ++pos;
            return kMalformedBase + lead;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (length == 2 && cp < 0x80) || (length == 3 && cp < 0x800) ||
                          (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kMalformedBase + lead;
    }
    pos += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    // A malformed byte decodes into the surrogate range, where no valid text lies.
    for (std::size_t pos = 0; pos < text.size();) {
        if (IsMalformed(DecodeUtf8(text, pos))) return false;
    }
    return true;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) units += DecodeUtf8(text, pos) >= 0x10000 ? 2 : 1;
    return units;
}

std::string Utf16Prefix(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        const std::size_t width = DecodeUtf8(text, next) >= 0x10000 ? 2 : 1;
        if (used + width > units) break;
        used += width;
        pos = next;
    }
    return std::string(text.substr(0, pos));
}

char32_t FoldCase(char32_t cp) {
    if (cp >= U'A' && cp <= U'Z') return cp + 32;
    if (cp < 0xC0) return cp;
    if (cp <= 0xDE) return cp == 0xD7 ? cp : cp + 32;  // À..Þ, not ×
    if (InPairRange(cp, 0x100, 0x12F, true) || InPairRange(cp, 0x132, 0x137, true) ||
        InPairRange(cp, 0x139, 0x148, false) || InPairRange(cp, 0x14A, 0x177, true) ||
        InPairRange(cp, 0x179, 0x17E, false)) {
        return cp + 1;
    }
    if (cp == 0x178) return 0xFF;  // Ÿ
    if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 32;  // Greek
    if (cp == 0x386) return 0x3AC;
    if (cp >= 0x388 && cp <= 0x38A) return cp + 37;
    if (cp == 0x38C) return 0x3CC;
    if (cp == 0x38E || cp == 0x38F) return cp + 63;
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;  // Cyrillic Ѐ..Џ
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;  // А..Я
    if (InPairRange(cp, 0x460, 0x481, true) || InPairRange(cp, 0x48A, 0x4BF, true)) return cp + 1;
    if (InPairRange(cp, 0x1E00, 0x1E95, true) || InPairRange(cp, 0x1EA0, 0x1EFF, true)) return cp + 1;
    if (cp == 0x1E9E) return 0xDF;  // capital sharp s folds onto ß
    if (cp >= 0xFF21 && cp <= 0xFF3A) return cp + 32;  // full-width Latin
    return cp;
}

std::string FoldedKey(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = DecodeUtf8(text, pos);
        if (IsMalformed(cp)) {
            out += text[start];  // keep a malformed byte as it is
        } else {
            AppendUtf8(out, FoldCase(cp));
        }
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    std::size_t pa = 0;
    std::size_t pb = 0;
    while (pa < a.size() && pb < b.size()) {
        if (FoldCase(DecodeUtf8(a, pa)) != FoldCase(DecodeUtf8(b, pb))) return false;
    }
    return pa == a.size() && pb == b.size();
}

bool IsNameLetter(char32_t cp) {
    if ((cp >= U'A' && cp <= U'Z') || (cp >= U'a' && cp <= U'z')) return true;
    return cp >= 0xC0 && cp != 0xD7 && cp != 0xF7 && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace brackwell::embedded
