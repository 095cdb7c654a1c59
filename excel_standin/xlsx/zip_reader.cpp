#include "excel_standin/xlsx/zip_reader.h"

#include <windows.h>

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/zip_format.h"

namespace brackwell::win::xlsx {

namespace {

[[noreturn]] void Damaged(std::string_view why) {
    throw FormatError("Das ZIP-Archiv ist beschädigt: " + std::string(why) + ".");
}

[[noreturn]] void Zip64Refused() { throw FormatError("ZIP64-Archive werden nicht unterstützt."); }

bool IsValidUtf8(std::string_view text) {
    return text.empty() ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                               0) > 0;
}

// Without the UTF-8 flag a name is in code page 437, unless it is plain
// ASCII or already valid UTF-8 (as many tools write it without saying so).
std::string DecodeName(std::string_view raw, std::uint16_t flags) {
    if ((flags & zip::kFlagUtf8Name) != 0 || IsValidUtf8(raw)) return std::string(raw);
    const int length = MultiByteToWideChar(437, 0, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
    if (length <= 0) return std::string(raw);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(437, 0, raw.data(), static_cast<int>(raw.size()), wide.data(), length);
    return WideToUtf8(wide);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The end-of-central-directory record: the last one whose comment fits
// inside the file, searched no further back than the longest comment.
std::size_t FindEndOfDirectory(std::string_view bytes) {
    if (bytes.size() < zip::kEndOfDirectorySize) {
        throw FormatError("Die Datei ist kein ZIP-Archiv (zu kurz).");
    }
    const std::size_t last = bytes.size() - zip::kEndOfDirectorySize;
    const std::size_t first = last > zip::kMaxCommentSize ? last - zip::kMaxCommentSize : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (zip::Read32(bytes, at) != zip::kEndOfDirectorySignature) continue;
        const std::size_t commentLength = zip::Read16(bytes, at + 20);
        if (at + zip::kEndOfDirectorySize + commentLength <= bytes.size()) return at;
    }
    throw FormatError("Die Datei ist kein ZIP-Archiv (kein zentrales Verzeichnis gefunden).");
}

}  // namespace

ZipReader::ZipReader(std::string archive) : archive_(std::make_shared<const std::string>(std::move(archive))) {
    ReadDirectory();
}

void ZipReader::ReadDirectory() {
    const std::string_view bytes = *archive_;
    const std::size_t end = FindEndOfDirectory(bytes);
    if (end >= zip::kZip64LocatorSize &&
        zip::Read32(bytes, end - zip::kZip64LocatorSize) == zip::kZip64LocatorSignature) {
        Zip64Refused();
    }
    const std::uint16_t disk = zip::Read16(bytes, end + 4);
    const std::uint16_t directoryDisk = zip::Read16(bytes, end + 6);
    const std::uint16_t countOnDisk = zip::Read16(bytes, end + 8);
    const std::uint16_t count = zip::Read16(bytes, end + 10);
    const std::uint32_t directorySize = zip::Read32(bytes, end + 12);
    const std::uint32_t directoryOffset = zip::Read32(bytes, end + 16);
    if (count == zip::kZip64Count || directorySize == zip::kZip64Size || directoryOffset == zip::kZip64Size) {
        Zip64Refused();
    }
    if (disk != 0 || directoryDisk != 0 || countOnDisk != count) {
        throw FormatError("Mehrteilige ZIP-Archive werden nicht unterstützt.");
    }
    if (std::uint64_t{directoryOffset} + directorySize > end) Damaged("das zentrale Verzeichnis liegt außerhalb der Datei");
    directoryOffset_ = directoryOffset;

    const std::size_t directoryEnd = std::size_t{directoryOffset} + directorySize;
    std::size_t at = directoryOffset;
    entries_.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (at + zip::kCentralHeaderSize > directoryEnd || zip::Read32(bytes, at) != zip::kCentralHeaderSignature) {
            Damaged("ein Eintrag des zentralen Verzeichnisses fehlt oder ist ungültig");
        }
        ZipEntry entry;
        entry.flags = zip::Read16(bytes, at + 8);
        entry.method = zip::Read16(bytes, at + 10);
        entry.crc = zip::Read32(bytes, at + 16);
        entry.compressedSize = zip::Read32(bytes, at + 20);
        entry.size = zip::Read32(bytes, at + 24);
        const std::size_t nameLength = zip::Read16(bytes, at + 28);
        const std::size_t extraLength = zip::Read16(bytes, at + 30);
        const std::size_t commentLength = zip::Read16(bytes, at + 32);
        entry.localHeaderOffset = zip::Read32(bytes, at + 42);
        const std::size_t next = at + zip::kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (next > directoryEnd) Damaged("ein Eintrag des zentralen Verzeichnisses ist zu lang");
        if (entry.compressedSize == zip::kZip64Size || entry.size == zip::kZip64Size ||
            entry.localHeaderOffset == zip::kZip64Size) {
            Zip64Refused();
        }
        const std::string_view rawName = bytes.substr(at + zip::kCentralHeaderSize, nameLength);
        if (rawName.empty() || rawName.find('\0') != std::string_view::npos) Damaged("ein Eintrag hat einen ungültigen Namen");
        entry.name = DecodeName(rawName, entry.flags);
        entries_.push_back(std::move(entry));
        at = next;
    }
}

const ZipEntry* ZipReader::Find(std::string_view name) const noexcept {
    for (const ZipEntry& entry : entries_) {
        if (entry.name == name) return &entry;
    }
    for (const ZipEntry& entry : entries_) {
        if (EqualsIgnoringAsciiCase(entry.name, name)) return &entry;
    }
    return nullptr;
}

std::string_view ZipReader::StoredData(const ZipEntry& entry) const {
    const std::string_view bytes = *archive_;
    const std::size_t header = entry.localHeaderOffset;
    // Compared by difference: on 32-bit Windows the sum could wrap around.
    if (header > directoryOffset_ || directoryOffset_ - header < zip::kLocalHeaderSize ||
        zip::Read32(bytes, header) != zip::kLocalHeaderSignature) {
        Damaged("der Kopf des Eintrags '" + entry.name + "' fehlt");
    }
    if ((entry.flags & zip::kFlagEncrypted) != 0) {
        throw FormatError("Der Eintrag '" + entry.name + "' im ZIP-Archiv ist verschlüsselt.");
    }
    const std::size_t data = header + zip::kLocalHeaderSize + zip::Read16(bytes, header + 26) + zip::Read16(bytes, header + 28);
    // The data lies between its local header and the central directory.
    if (data > directoryOffset_ || entry.compressedSize > directoryOffset_ - data) {
        Damaged("die Daten des Eintrags '" + entry.name + "' reichen über das Archiv hinaus");
    }
    return bytes.substr(data, entry.compressedSize);
}

std::unique_ptr<ZipEntryReader> ZipReader::Open(const ZipEntry& entry) const {
    return std::make_unique<ZipEntryReader>(archive_, StoredData(entry), entry);
}

std::string ZipReader::Read(const ZipEntry& entry) const {
    const std::unique_ptr<ZipEntryReader> reader = Open(entry);
    std::string content(entry.size, '\0');
    std::size_t filled = 0;
    // One read past the recorded size lets the reader check size and CRC.
    char probe = 0;
    for (;;) {
        char* target = filled < content.size() ? content.data() + filled : &probe;
        const std::size_t capacity = filled < content.size() ? content.size() - filled : 1;
        const std::size_t got = reader->Read(target, capacity);
        if (got == 0) break;
        if (target == &probe) Damaged("der Eintrag '" + entry.name + "' ist länger als angegeben");
        filled += got;
    }
    return content;
}

}  // namespace brackwell::win::xlsx
