#include "formats/zip/zip_writer.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <new>

#include "formats/format_error.h"
#include "formats/zip/zip_format.h"

namespace brackwell::formats {

namespace {

constexpr std::uint16_t kDosDate1980 = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
constexpr std::uint16_t kDosMidnight = 0;
constexpr std::uint64_t kMaxArchiveSize = 0xFFFFFFFEu;

[[noreturn]] void TooLarge() {
    throw FormatError("Die Datei wäre zu groß für ein ZIP-Archiv ohne ZIP64.");
}

// One raw deflate stream (no zlib header, as ZIP stores it), ended by its
// destructor. It stays where it was made: zlib's state points back at it.
class Deflater {
public:
    Deflater() {
        if (deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    ~Deflater() { deflateEnd(&stream_); }

    std::string Run(std::string_view data) {
        std::string out(deflateBound(&stream_, static_cast<uLong>(data.size())), '\0');
        stream_.next_in = reinterpret_cast<const Bytef*>(data.data());
        stream_.avail_in = static_cast<uInt>(data.size());
        stream_.next_out = reinterpret_cast<Bytef*>(out.data());
        stream_.avail_out = static_cast<uInt>(out.size());
        // deflateBound guarantees room, so one call finishes the stream.
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::bad_alloc();
        out.resize(out.size() - stream_.avail_out);
        return out;
    }

private:
    z_stream stream_{};
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void ZipWriter::Add(std::string_view name, std::string_view data, ZipMethod method) {
    if (name.empty() || name.size() > 0xFFFF) throw FormatError("Ungültiger Name eines ZIP-Eintrags.");
    if (count_ == zip::kZip64Count - 1 || data.size() >= kMaxArchiveSize) TooLarge();

    const std::uint32_t crc = static_cast<std::uint32_t>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    const std::string deflated = method == ZipMethod::Deflated ? Deflater().Run(data) : std::string();
    const std::string_view stored = method == ZipMethod::Deflated ? std::string_view(deflated) : data;
    const std::uint64_t offset = archive_.size();
    if (offset + zip::kLocalHeaderSize + name.size() + stored.size() + directory_.size() > kMaxArchiveSize) TooLarge();

    const std::uint16_t flags = IsAscii(name) ? 0 : zip::kFlagUtf8Name;
    const std::uint16_t methodCode = method == ZipMethod::Deflated ? zip::kMethodDeflated : zip::kMethodStored;
    const auto nameLength = static_cast<std::uint16_t>(name.size());

    // Fields the local header and the directory record share, from "version
    // needed" to the name length.
    std::string common;
    zip::Append16(common, zip::kVersionNeeded);
    zip::Append16(common, flags);
    zip::Append16(common, methodCode);
    zip::Append16(common, kDosMidnight);
    zip::Append16(common, kDosDate1980);
    zip::Append32(common, crc);
    zip::Append32(common, static_cast<std::uint32_t>(stored.size()));
    zip::Append32(common, static_cast<std::uint32_t>(data.size()));
    zip::Append16(common, nameLength);

    zip::Append32(archive_, zip::kLocalHeaderSignature);
    archive_ += common;
    zip::Append16(archive_, 0);  // extra field length
    archive_ += name;
    archive_ += stored;

    zip::Append32(directory_, zip::kCentralHeaderSignature);
    zip::Append16(directory_, zip::kVersionNeeded);  // made by: MS-DOS, 2.0
    directory_ += common;
    zip::Append16(directory_, 0);  // extra field length
    zip::Append16(directory_, 0);  // comment length
    zip::Append16(directory_, 0);  // disk number
    zip::Append16(directory_, 0);  // internal attributes
    zip::Append32(directory_, 0);  // external attributes
    zip::Append32(directory_, static_cast<std::uint32_t>(offset));
    directory_ += name;
    ++count_;
}

std::string ZipWriter::Finish() {
    std::string out = std::move(archive_);
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory_;
    zip::Append32(out, zip::kEndOfDirectorySignature);
    zip::Append16(out, 0);  // this disk
    zip::Append16(out, 0);  // disk of the directory
    zip::Append16(out, count_);
    zip::Append16(out, count_);
    zip::Append32(out, static_cast<std::uint32_t>(directory_.size()));
    zip::Append32(out, directoryOffset);
    zip::Append16(out, 0);  // comment length
    archive_.clear();
    directory_.clear();
    count_ = 0;
    return out;
}

}  // namespace brackwell::formats
