#pragma once
// Builds a ZIP archive in memory: local headers with the data, then the
// central directory. Names are UTF-8 (flagged as such when not ASCII); the
// times are 1980-01-01 00:00, as Office writes them. Without ZIP64, an
// archive holds at most 65535 entries and 4 GiB.

#include <cstdint>
#include <string>
#include <string_view>

namespace brackwell::formats {

enum class ZipMethod { Stored, Deflated };

class ZipWriter {
public:
    // Throws FormatError when the archive would need ZIP64 or the name is
    // empty or too long.
    void Add(std::string_view name, std::string_view data, ZipMethod method = ZipMethod::Deflated);
    // The finished archive; the writer is empty afterwards.
    std::string Finish();

private:
    std::string archive_;    // local headers and data so far
    std::string directory_;  // central directory records so far
    std::uint16_t count_ = 0;
};

}  // namespace brackwell::formats
