#include "excel_standin/xlsx/zip_entry_reader.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/zip_format.h"
#include "excel_standin/xlsx/zip_reader.h"

namespace brackwell::win::xlsx {

// zlib keeps a pointer back to its z_stream, so the stream lives on the heap
// and never moves; the destructor ends it.
struct ZipEntryReader::Inflater {
    z_stream stream{};
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    explicit Inflater(std::string_view input) {
        // Negative window bits: raw deflate data, as ZIP stores it.
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw std::bad_alloc();
        stream.next_in = reinterpret_cast<const Bytef*>(input.data());
        stream.avail_in = static_cast<uInt>(input.size());
    }
    ~Inflater() { inflateEnd(&stream); }
};

ZipEntryReader::ZipEntryReader(std::shared_ptr<const std::string> archive, std::string_view data,
                               const ZipEntry& entry)
    : archive_(std::move(archive)),
      data_(data),
      name_(entry.name),
      size_(entry.size),
      expectedCrc_(entry.crc),
      crc_(static_cast<std::uint32_t>(crc32(0, nullptr, 0))) {
    if (entry.method == zip::kMethodDeflated) {
        // Deflate shrinks by at most 1032:1; a larger claim is a damaged
        // directory, not a reason to reserve gigabytes.
        if (entry.size > std::uint64_t{entry.compressedSize} * 1032 + 1024) {
            Damaged("die Größenangaben sind unmöglich");
        }
        inflater_ = std::make_unique<Inflater>(data_);
    } else if (entry.method == zip::kMethodStored) {
        if (entry.compressedSize != entry.size) Damaged("die Größenangaben widersprechen sich");
    } else {
        throw FormatError("Der Eintrag '" + name_ + "' verwendet ein nicht unterstütztes Komprimierungsverfahren (" +
                          std::to_string(entry.method) + ").");
    }
}

ZipEntryReader::~ZipEntryReader() = default;

std::size_t ZipEntryReader::Read(char* out, std::size_t capacity) {
    if (finished_ || capacity == 0) return 0;
    const std::size_t got = inflater_ ? ReadDeflated(out, capacity) : ReadStored(out, capacity);
    crc_ = static_cast<std::uint32_t>(crc32(crc_, reinterpret_cast<const Bytef*>(out), static_cast<uInt>(got)));
    produced_ += got;
    if (got == 0) Finish();
    return got;
}

std::size_t ZipEntryReader::ReadStored(char* out, std::size_t capacity) {
    const std::size_t n = std::min({capacity, data_.size() - consumed_, static_cast<std::size_t>(UINT_MAX)});
    std::memcpy(out, data_.data() + consumed_, n);
    consumed_ += n;
    return n;
}

std::size_t ZipEntryReader::ReadDeflated(char* out, std::size_t capacity) {
    // Never more than the recorded size: a stream that goes on is damaged.
    const std::uint64_t left = size_ - produced_;
    const std::size_t want = static_cast<std::size_t>(
        std::min<std::uint64_t>({capacity, left, static_cast<std::uint64_t>(UINT_MAX)}));
    if (want == 0) {
        ExpectEndOfDeflateStream();
        return 0;
    }
    z_stream& s = inflater_->stream;
    s.next_out = reinterpret_cast<Bytef*>(out);
    s.avail_out = static_cast<uInt>(want);
    for (;;) {
        const int rc = inflate(&s, Z_NO_FLUSH);
        const std::size_t got = want - s.avail_out;
        if (rc == Z_STREAM_END) {
            if (produced_ + got != size_) Damaged("die Daten sind kürzer als angegeben");
            return got;
        }
        if (rc == Z_BUF_ERROR) Damaged("die Daten sind unvollständig");
        if (rc != Z_OK) Damaged("die komprimierten Daten sind ungültig");
        if (got > 0) return got;
    }
}

void ZipEntryReader::ExpectEndOfDeflateStream() {
    z_stream& s = inflater_->stream;
    char probe = 0;
    s.next_out = reinterpret_cast<Bytef*>(&probe);
    s.avail_out = 1;
    int rc = Z_OK;
    // The stream may still hold its end marker (or an empty block) after the
    // last byte of content; anything more is content beyond the size.
    while (rc == Z_OK && s.avail_out == 1) rc = inflate(&s, Z_NO_FLUSH);
    if (s.avail_out == 0) Damaged("die Daten sind länger als angegeben");
    if (rc == Z_BUF_ERROR) Damaged("die Daten sind unvollständig");
    if (rc != Z_STREAM_END) Damaged("die komprimierten Daten sind ungültig");
}

void ZipEntryReader::Finish() {
    if (produced_ != size_) Damaged("die Daten sind kürzer als angegeben");
    if (crc_ != expectedCrc_) Damaged("die Prüfsumme stimmt nicht");
    finished_ = true;
}

void ZipEntryReader::Damaged(std::string_view why) const {
    throw FormatError("Der Eintrag '" + name_ + "' im ZIP-Archiv ist beschädigt: " + std::string(why) + ".");
}

}  // namespace brackwell::win::xlsx
