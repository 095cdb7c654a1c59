#include "adapters/headless/file_settings_store.h"

#include <cstdlib>
#include <optional>
#include <utility>

#include "adapters/headless/atomic_file.h"
#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

std::optional<std::filesystem::path> FolderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || *value == '\0') return std::nullopt;
    return PathFromUtf8(value);
}

#ifdef _WIN32
std::optional<std::filesystem::path> WindowsAppData() {
    const wchar_t* value = _wgetenv(L"APPDATA");
    if (!value || *value == L'\0') return std::nullopt;
    return std::filesystem::path(value);
}
#endif

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

FileSettingsStore::FileSettingsStore() : file_(DefaultPath()) {}

FileSettingsStore::FileSettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path FileSettingsStore::DefaultPath() {
    const std::filesystem::path relative = std::filesystem::path("brackwell") / "settings.ini";
#ifdef _WIN32
    if (const auto appData = WindowsAppData()) return *appData / relative;
#endif
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
    if (const auto config = FolderFromEnvironment("XDG_CONFIG_HOME"); config && config->is_absolute())
        return *config / relative;
    if (const auto home = FolderFromEnvironment("HOME")) return *home / ".config" / relative;
    return {};
}

std::string FileSettingsStore::GetSetting(const std::string& app, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) {
    const auto untrusted = [&](const std::string& why) {
        Raise(err::kTypeMismatch, StandardDescription(err::kTypeMismatch) + ": Einstellung \"" + key +
                                      "\" nicht lesbar, die Datei " + Utf8(file_) + " " + why);
    };
    std::error_code error;
    if (file_.empty() || !std::filesystem::exists(file_, error)) return defaultValue;
    const std::optional<SettingsDocument> document = Read();
    if (!document) untrusted("kann nicht gelesen werden");
    if (const std::size_t line = document->FirstDamagedLine())
        untrusted("ist beschädigt (Zeile " + std::to_string(line) + ")");
    return document->Get(SettingsDocument::GroupName(app, section), key).value_or(defaultValue);
}

void FileSettingsStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                    const std::string& value) {
    // Read again first, so that keys another process wrote meanwhile stay.
    SettingsDocument document = Read().value_or(SettingsDocument{});
    document.Set(SettingsDocument::GroupName(app, section), key, value);
    if (file_.empty() || !ReplaceFileAtomically(file_, document.ToText()))
        Raise(kPathFileAccessError, "Fehler beim Zugriff auf Pfad/Datei");
}

std::optional<SettingsDocument> FileSettingsStore::Read() const {
    if (file_.empty()) return std::nullopt;
    const std::optional<std::string> text = ReadWholeFile(file_);
    if (!text) return std::nullopt;
    return SettingsDocument::FromText(*text);
}

}  // namespace brackwell::headless
