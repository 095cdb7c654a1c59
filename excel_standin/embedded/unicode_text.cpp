#include "excel_standin/embedded/unicode_text.h"

#include "adapters/shared/unicode_case.h"
#include "host/utf8.h"

namespace brackwell::embedded {

namespace {

constexpr char32_t kMalformedBase = 0xDC00;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool IsMalformed(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

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

// Lower case by the same table that upper-cases on the headless platform;
// the capital sharp s folds onto ß there too.
char32_t FoldCase(char32_t cp) { return shared::LowerCaseLetter(cp); }

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
