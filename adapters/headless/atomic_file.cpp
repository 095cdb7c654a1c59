#include "adapters/headless/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace brackwell::headless {
namespace {

// The operating system's few calls, each behind one small function.

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

std::FILE* OpenForWriting(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"wb");
#else
    return std::fopen(file.c_str(), "wb");
#endif
}

// Flushing the C library's buffer is not enough: the bytes must be on the
// disk before the rename makes them the settings file.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Makes the rename itself durable; best effort, as not every file system
// lets a folder be synced.
void SyncFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
    const int descriptor = open(folder.c_str(), O_RDONLY);
    if (descriptor < 0) return;
    fsync(descriptor);
    close(descriptor);
#endif
}

class FileCloser {
public:
    explicit FileCloser(std::FILE* file) : file_(file) {}
    ~FileCloser() {
        if (file_) std::fclose(file_);
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    std::FILE* get() const { return file_; }
    bool Close() {
        std::FILE* file = file_;
        file_ = nullptr;
        return std::fclose(file) == 0;
    }

private:
    std::FILE* file_;
};

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = target;
    temporary += ".tmp-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
    return temporary;
}

bool WriteAndSync(const std::filesystem::path& file, std::string_view content) {
    FileCloser out(OpenForWriting(file));
    if (!out.get()) return false;
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), out.get()) != content.size()) return false;
    if (std::fflush(out.get()) != 0 || !SyncToDisk(out.get())) return false;
    return out.Close();
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    try {
        // The library reports a failing read (a file replaced by a folder
        // meanwhile, a disk error) by throwing from the stream buffer.
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return content;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content) {
    std::error_code error;
    const std::filesystem::path folder = target.parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) return false;

    const std::filesystem::path temporary = TemporaryBeside(target);
    if (!WriteAndSync(temporary, content)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    // std::filesystem::rename replaces an existing target, also on Windows.
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    SyncFolder(folder.empty() ? std::filesystem::path(".") : folder);
    return true;
}

std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace brackwell::headless
