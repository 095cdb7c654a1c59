#pragma once
// Reads a ZIP archive held in memory: the central directory at once, each
// entry when asked. Every size, offset and name is checked against the
// buffer before use; ZIP64, split and encrypted archives are refused.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "excel_standin/xlsx/zip_entry_reader.h"

namespace brackwell::win::xlsx {

struct ZipEntry {
    std::string name;  // UTF-8
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t localHeaderOffset = 0;
};

class ZipReader {
public:
    // Throws FormatError when `archive` is not a ZIP archive this reader takes.
    explicit ZipReader(std::string archive);

    const std::vector<ZipEntry>& Entries() const noexcept { return entries_; }
    // The entry of that name; part names in a package ignore ASCII case, so
    // an exact match is tried first, then one ignoring case. Null when absent.
    const ZipEntry* Find(std::string_view name) const noexcept;

    // The whole content, checked against its size and CRC.
    std::string Read(const ZipEntry& entry) const;
    // Reads the content piece by piece; keeps the archive alive.
    std::unique_ptr<ZipEntryReader> Open(const ZipEntry& entry) const;

private:
    void ReadDirectory();
    std::string_view StoredData(const ZipEntry& entry) const;

    std::shared_ptr<const std::string> archive_;
    std::vector<ZipEntry> entries_;
    std::size_t directoryOffset_ = 0;
};

}  // namespace brackwell::win::xlsx
