#include "excel_standin/xlsx/windows_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win::xlsx {

namespace {

struct CloseHandleFn {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
using FileHandle = UniqueHandle<HANDLE, CloseHandleFn>;

constexpr DWORD kChunk = 1u << 20;

[[noreturn]] void ThrowLastError() {
    const DWORD code = GetLastError();
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        throw FileAccessError("Der Pfad wurde nicht gefunden.");
    case ERROR_ACCESS_DENIED:
        throw FileAccessError("Der Zugriff wurde verweigert.");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        throw FileAccessError("Sie wird von einem anderen Programm verwendet.");
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        throw FileAccessError("Sie ist bereits vorhanden und wird nicht ersetzt.");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        throw FileAccessError("Der Datenträger ist voll.");
    case ERROR_WRITE_PROTECT:
        throw FileAccessError("Der Datenträger ist schreibgeschützt.");
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        throw FileAccessError("Der Dateiname ist ungültig.");
    default:
        throw FileAccessError("Windows meldet Fehler " + std::to_string(code) + ".");
    }
}

FileHandle OpenOrThrow(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    const HANDLE handle = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
    return FileHandle(handle);
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);  // "\" or "C:\"
    return path.substr(0, slash);
}

// A file made for writing, removed again unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        wchar_t name[MAX_PATH] = {};
        if (GetTempFileNameW(folder.c_str(), L"bkw", 0, name) == 0) ThrowLastError();
        path_ = name;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    const std::wstring& Path() const noexcept { return path_; }
    void Keep() noexcept { path_.clear(); }

private:
    std::wstring path_;
};

}  // namespace

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw FileAccessError("Das ist ein Ordner, keine Datei.");
    }
    // Others may keep the file open, even for writing (Excel does).
    const FileHandle file = OpenOrThrow(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError();
    // A ZIP archive without ZIP64 ends within 4 GiB.
    if (size.QuadPart > 0xFFFFFFFFLL || static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX / 2) {
        throw FileAccessError("Die Datei ist zu groß.");
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - filled));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + filled, want, &got, nullptr)) ThrowLastError();
        if (got == 0) break;  // the file shrank meanwhile; the archive checks will tell
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

void WriteWholeFile(const std::wstring& path, std::string_view bytes, bool replaceExisting) {
    if (!replaceExisting && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        SetLastError(ERROR_FILE_EXISTS);
        ThrowLastError();
    }
    TemporaryFile temporary(FolderOf(path));
    {
        const FileHandle file = OpenOrThrow(temporary.Path(), GENERIC_WRITE, 0, CREATE_ALWAYS);
        std::size_t written = 0;
        while (written < bytes.size()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - written));
            DWORD done = 0;
            if (!WriteFile(file.Get(), bytes.data() + written, want, &done, nullptr)) ThrowLastError();
            written += done;
        }
        if (!FlushFileBuffers(file.Get())) ThrowLastError();
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails if a file appeared
    // meanwhile, so nothing is ever overwritten by accident.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(temporary.Path().c_str(), path.c_str(), flags)) ThrowLastError();
    temporary.Keep();
}

std::wstring FullPathOf(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

}  // namespace brackwell::win::xlsx
