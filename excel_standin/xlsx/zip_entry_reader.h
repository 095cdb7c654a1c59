#pragma once
// The content of one ZIP entry, read piece by piece: stored bytes as they
// are, deflated ones through zlib's inflate. The last read checks that the
// entry had exactly its recorded size and CRC, so a damaged entry never
// passes for a shorter or different one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brackwell::win::xlsx {

struct ZipEntry;

class ZipEntryReader {
public:
    // `data` lies inside `*archive`, which the reader keeps alive. Throws
    // FormatError for a method other than stored or deflated.
    ZipEntryReader(std::shared_ptr<const std::string> archive, std::string_view data, const ZipEntry& entry);
    ZipEntryReader(const ZipEntryReader&) = delete;
    ZipEntryReader& operator=(const ZipEntryReader&) = delete;
    ~ZipEntryReader();

    // Up to `capacity` bytes (at least 1) into `out`; 0 at the end, once
    // size and CRC have been checked. Throws FormatError for damaged data.
    std::size_t Read(char* out, std::size_t capacity);

    std::uint64_t Position() const noexcept { return produced_; }
    std::uint32_t Size() const noexcept { return size_; }

private:
    std::size_t ReadStored(char* out, std::size_t capacity);
    std::size_t ReadDeflated(char* out, std::size_t capacity);
    void ExpectEndOfDeflateStream();
    void Finish();
    [[noreturn]] void Damaged(std::string_view why) const;

    struct Inflater;
    std::shared_ptr<const std::string> archive_;
    std::string_view data_;
    std::string name_;
    std::uint32_t size_;
    std::uint32_t expectedCrc_;
    std::unique_ptr<Inflater> inflater_;  // null for a stored entry
    std::size_t consumed_ = 0;            // stored: bytes of data_ handed out
    std::uint64_t produced_ = 0;
    std::uint32_t crc_ = 0;
    bool finished_ = false;
};

}  // namespace brackwell::win::xlsx
