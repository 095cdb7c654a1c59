#include "excel_standin/xlsx/sheet_password.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "adapters/windows/common/utf.h"

namespace brackwell::win::xlsx {

namespace {

constexpr std::string_view kStandInPrefix = "\x1B" "xlsx-hash";
constexpr char kSeparator = '\x1F';

std::uint16_t RotateLeft15(std::uint16_t value) {
    return static_cast<std::uint16_t>(((value >> 14) & 0x0001) | ((value << 1) & 0x7FFF));
}

}  // namespace

std::string LegacyPasswordHash(std::string_view utf8Password) {
    const std::wstring wide = Utf8ToWide(utf8Password);
    std::uint16_t hash = 0;
    for (auto it = wide.rbegin(); it != wide.rend(); ++it) {
        const auto unit = static_cast<std::uint16_t>(*it);
        const std::uint16_t byte = (unit & 0xFF) != 0 ? (unit & 0xFF) : (unit >> 8);
        hash = static_cast<std::uint16_t>(RotateLeft15(hash) ^ byte);
    }
    hash = static_cast<std::uint16_t>(RotateLeft15(hash) ^ static_cast<std::uint16_t>(wide.size()) ^ 0xCE4B);
    char text[5];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(hash));
    return text;
}

std::string PasswordStandingFor(const PasswordHash& hash) {
    std::string out(kStandInPrefix);
    for (const std::string* field :
         {&hash.legacy, &hash.algorithmName, &hash.hashValue, &hash.saltValue, &hash.spinCount}) {
        out += kSeparator;
        out += *field;
    }
    return out;
}

std::optional<PasswordHash> HashBehind(std::string_view password) {
    if (!password.starts_with(kStandInPrefix)) return std::nullopt;
    PasswordHash hash;
    std::array<std::string*, 5> fields = {&hash.legacy, &hash.algorithmName, &hash.hashValue, &hash.saltValue,
                                          &hash.spinCount};
    std::string_view rest = password.substr(kStandInPrefix.size());
    for (std::string* field : fields) {
        if (!rest.starts_with(kSeparator)) return std::nullopt;
        rest.remove_prefix(1);
        const std::size_t end = std::min(rest.find(kSeparator), rest.size());
        *field = std::string(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    if (!rest.empty()) return std::nullopt;
    return hash;
}

}  // namespace brackwell::win::xlsx
