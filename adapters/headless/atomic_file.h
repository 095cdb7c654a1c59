#pragma once
// Whole-file reads and writes for the settings file. A write goes to a new
// file beside the target, is flushed to the disk and then renamed over the
// target, so a reader (or a crash) sees the old file or the new one, never
// half of one.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brackwell::headless {

// The file's bytes; empty when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

// Creates the folder when needed. False when anything fails; the target is
// then unchanged and no temporary file is left behind.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content);

// A path from UTF-8 text, also where the system's narrow encoding is another.
std::filesystem::path PathFromUtf8(const std::string& text);

}  // namespace brackwell::headless
