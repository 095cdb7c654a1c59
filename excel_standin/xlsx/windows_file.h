#pragma once
// Whole files in and out through Win32 with wide paths, so that any name
// Windows allows works ("Übersicht.xlsx", "売上.xlsx").

#include <stdexcept>
#include <string>
#include <string_view>

namespace brackwell::win::xlsx {

// The system could not read or write a file; the text says why, in German.
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file (not a folder) is there.
bool IsExistingFile(const std::wstring& path);

std::string ReadWholeFile(const std::wstring& path);

// Writes a temporary file beside `path` and then moves it into place, so a
// failed write never leaves a damaged file under `path`. Without
// `replaceExisting`, an existing file stays as it is and the write fails.
void WriteWholeFile(const std::wstring& path, std::string_view bytes, bool replaceExisting);

// The absolute form of `path`, for comparing two names of one file.
std::wstring FullPathOf(const std::wstring& path);

}  // namespace brackwell::win::xlsx
