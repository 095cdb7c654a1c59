#include "tree/node_key.h"

#include "core/vb_conversions.h"
#include "host/automation_error.h"

namespace brackwell {
namespace {

std::int32_t ToNumber(const std::string& text) {
    if (auto number = TextToLong(text)) return *number;
    Raise(err::kTypeMismatch);
}

// The text from the third character on; characters, not bytes, so a key of
// any text behaves as VB's Mid$ would.
std::string FromThirdCharacter(const std::string& key) {
    std::size_t position = 0;
    for (int skipped = 0; skipped < 2 && position < key.size(); ++skipped) {
        ++position;
        while (position < key.size() && (static_cast<unsigned char>(key[position]) & 0xC0) == 0x80)
            ++position;
    }
    return key.substr(position);
}

}  // namespace

std::string WorkbookKey(std::int32_t workbookPosition) { return "wb" + std::to_string(workbookPosition); }

std::string WorksheetKey(const std::string& workbookKey, std::int32_t sheetPosition) {
    return workbookKey + kSheetSeparator + std::to_string(sheetPosition);
}

std::string NameKey(const std::string& workbookKey, std::int32_t namePosition) {
    return workbookKey + kNameSeparator + std::to_string(namePosition);
}

std::int32_t ParseNodeKey(const std::string& Key, std::int32_t& Number) {
    const auto bar = Key.find(kSheetSeparator);
    const auto hash = Key.find(kNameSeparator);
    if (bar != std::string::npos) {
        Number = ToNumber(Key.substr(bar + 1));
        return node_kind::kWorksheet;
    }
    if (hash == std::string::npos) {
        Number = ToNumber(FromThirdCharacter(Key));
        return node_kind::kWorkbook;
    }
    Number = ToNumber(Key.substr(hash + 1));
    return node_kind::kDefinedName;
}

}  // namespace brackwell
