#pragma once
// The per-user settings in a plain text file (the format is described in
// settings_document.h): $XDG_CONFIG_HOME/brackwell/settings.ini, else
// $HOME/.config/brackwell/settings.ini; on Windows the file settings.ini in
// the folder brackwell under %APPDATA%. Every read reads the file again, so
// values another process wrote are seen at once; every write rewrites it
// atomically.
//
// A missing file reads as empty, so every key gives its default. A file that
// is there but cannot be read, or that holds lines no write of ours makes (a
// damaged or half-written file), fails every read with error 13 naming the
// key, as a stored text that cannot be converted does: the navigator is not
// created on settings it cannot trust. A write reads what it can, so the
// next confirmed options dialog repairs the file. A write that fails raises
// error 75.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "adapters/headless/settings_document.h"
#include "host/platform.h"

namespace brackwell::headless {

inline constexpr std::int32_t kPathFileAccessError = 75;

class FileSettingsStore final : public SettingsStore {
public:
    FileSettingsStore();  // the per-user file
    explicit FileSettingsStore(std::filesystem::path file);

    // The per-user file's path; empty when no home folder is known.
    static std::filesystem::path DefaultPath();
    const std::filesystem::path& Path() const { return file_; }

    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    // What the file holds, or nothing when it is missing or unreadable.
    std::optional<SettingsDocument> Read() const;

    std::filesystem::path file_;
};

}  // namespace brackwell::headless
