#include "adapters/headless/settings_document.h"

#include <algorithm>

#include "adapters/headless/ascii_case.h"

namespace brackwell::headless {
namespace {

enum class Part { Group, Key, Value };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

std::string Encode(std::string_view text, Part part) {
    // Blanks at either end are escaped so that reading, which trims, keeps them.
    std::size_t firstKept = 0;
    while (firstKept < text.size() && text[firstKept] == ' ') ++firstKept;
    std::size_t lastKept = text.size();
    while (lastKept > firstKept && text[lastKept - 1] == ' ') --lastKept;

    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool outerBlank = byte == ' ' && (i < firstKept || i >= lastKept);
        const bool control = byte < 0x20 || byte == 0x7F;
        const bool keySpecial =
            part == Part::Key && (byte == '=' || (i == 0 && (byte == '[' || byte == ';' || byte == '#')));
        if (byte == '%' || outerBlank || control || keySpecial) {
            AppendEscaped(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];  // a lone "%" written by hand stays
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> SettingsDocument::Get(std::string_view group, std::string_view key) const {
    for (const Group& candidate : groups_) {
        if (!EqualsIgnoringAsciiCase(candidate.name, group)) continue;
        for (const auto& [name, value] : candidate.entries) {
            if (EqualsIgnoringAsciiCase(name, key)) return value;
        }
    }
    return std::nullopt;
}

void SettingsDocument::Set(const std::string& group, const std::string& key, const std::string& value) {
    Group* target = nullptr;
    for (Group& candidate : groups_) {
        if (EqualsIgnoringAsciiCase(candidate.name, group)) {
            target = &candidate;
            break;
        }
    }
    if (!target) target = &groups_.emplace_back(Group{group, {}});
    for (auto& [name, stored] : target->entries) {
        if (EqualsIgnoringAsciiCase(name, key)) {
            stored = value;
            return;
        }
    }
    target->entries.emplace_back(key, value);
}

std::string SettingsDocument::ToText() const {
    std::string out;
    for (const Group& group : groups_) {
        if (!out.empty()) out += '\n';
        out += '[' + Encode(group.name, Part::Group) + "]\n";
        for (const auto& [key, value] : group.entries) {
            out += Encode(key, Part::Key) + '=' + Encode(value, Part::Value) + '\n';
        }
    }
    return out;
}

SettingsDocument SettingsDocument::FromText(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

    SettingsDocument document;
    std::optional<std::string> group;
    std::size_t number = 0;
    const auto damaged = [&] {
        if (document.firstDamagedLine_ == 0) document.firstDamagedLine_ = number;
    };
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        // ToText escapes every control character; a raw one is not ours.
        if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; })) {
            damaged();
            continue;
        }
        if (line.front() == '[') {
            if (line.back() == ']' && line.size() >= 2) {
                group = Decode(Trim(line.substr(1, line.size() - 2)));
            } else {
                damaged();
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !group) {
            damaged();
            continue;
        }
        document.Set(*group, Decode(Trim(line.substr(0, equals))), Decode(Trim(line.substr(equals + 1))));
    }
    return document;
}

}  // namespace brackwell::headless
