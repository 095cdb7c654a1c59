#pragma once
// Sheet protection passwords in a file. Excel keeps only a hash: the old
// 16-bit verifier (password="CBEB") or a salted SHA hash (algorithmName,
// hashValue, saltValue, spinCount). The host compares plain passwords, so a
// password read from a file becomes a stand-in text that nobody can type
// (it starts with an escape character): Unprotect asks, and every answer is
// wrong. Saving the sheet again writes the original hash back from it.

#include <optional>
#include <string>
#include <string_view>

namespace brackwell::win::xlsx {

struct PasswordHash {
    std::string legacy;  // "CBEB"
    std::string algorithmName;
    std::string hashValue;
    std::string saltValue;
    std::string spinCount;

    bool Empty() const noexcept { return legacy.empty() && hashValue.empty(); }
};

// The 16-bit verifier of a plain password, four upper-case hex digits. Each
// UTF-16 unit counts with its low byte, or its high byte when the low one is 0.
std::string LegacyPasswordHash(std::string_view utf8Password);

// The stand-in password for a hash read from a file.
std::string PasswordStandingFor(const PasswordHash& hash);

// The hash behind a stand-in password; nullopt for a plain password.
std::optional<PasswordHash> HashBehind(std::string_view password);

}  // namespace brackwell::win::xlsx
