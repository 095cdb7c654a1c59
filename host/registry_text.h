#pragma once
// Text values cross the registry port as the system stores them: UTF-16LE
// bytes. These turn the component's UTF-8 into that form and back, for the
// code that reads values and for registries that hold them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell {

// UTF-8 as UTF-16LE bytes with the closing NUL a text value is stored with.
std::vector<std::uint8_t> RegistryTextBytes(std::string_view utf8);

// UTF-16LE bytes as UTF-16 units; an odd last byte is no unit and is left out.
std::u16string RegistryTextUnits(const std::vector<std::uint8_t>& bytes);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace brackwell
