#pragma once
// The per-user settings as groups of key/value texts, and their text file
// form:
//
//   [Brackwell\Settings]
//   Theme=True
//
// A group is named by application and section joined with a backslash, as
// the registry path of VB's settings is. Group and key names compare ignoring
// ASCII case, as registry names do; a name keeps the spelling it was first
// written with. In the file, "%" followed by two hex digits stands for one
// byte, so that any text round-trips: "%" itself, control characters
// (newlines), blanks at either end, and "=" in a key are written that way.
// UTF-8 text and backslashes are written as they are.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brackwell::headless {

class SettingsDocument {
public:
    struct Group {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;  // key, value
    };

    static std::string GroupName(const std::string& app, const std::string& section) {
        return app + "\\" + section;
    }

    std::optional<std::string> Get(std::string_view group, std::string_view key) const;
    void Set(const std::string& group, const std::string& key, const std::string& value);
    const std::vector<Group>& Groups() const { return groups_; }

    std::string ToText() const;
    // Reads what ToText wrote; tolerates blanks around names and values,
    // CR LF line ends, a UTF-8 byte order mark and comment lines starting
    // with ";" or "#". A key written twice keeps its last value. A line it
    // cannot read (no "=", a key before any group, a broken group line, a
    // raw control character) is skipped and remembered: such a file was
    // damaged, half written or not written by us.
    static SettingsDocument FromText(std::string_view text);
    // The 1-based number of the first line FromText could not read; 0 when none.
    std::size_t FirstDamagedLine() const { return firstDamagedLine_; }

private:
    std::vector<Group> groups_;
    std::size_t firstDamagedLine_ = 0;
};

}  // namespace brackwell::headless
