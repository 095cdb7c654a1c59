#include "formats/cfb/compound_file_writer.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "formats/format_error.h"
#include "formats/little_endian.h"

namespace brackwell::formats::cfb {

namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::size_t kMiniStreamCutoff = 4096;
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kSlotsPerSector = kSectorSize / 4;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::size_t kMaxNameLength = 31;

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
constexpr std::uint8_t kRed = 0;
constexpr std::uint8_t kBlack = 1;

std::size_t SectorsFor(std::size_t bytes, std::size_t sectorSize) { return (bytes + sectorSize - 1) / sectorSize; }

void PadTo(std::string& out, std::size_t multiple, char fill) {
    if (out.size() % multiple != 0) out.append(multiple - out.size() % multiple, fill);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The order of names within a storage.
bool NameLess(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return Upper(a[i]) < Upper(b[i]);
    }
    return false;
}

bool SameName(const std::string& a, const std::string& b) { return !NameLess(a, b) && !NameLess(b, a); }

void CheckName(std::string_view name) {
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F && c != '/' &&
               c != '\\' && c != ':' && c != '!';
    });
    if (name.empty() || name.size() > kMaxNameLength || !ascii) {
        throw FormatError("Ungültiger Name in einer Verbunddatei: '" + std::string(name) + "'.");
    }
}

// Where each entry sits in the directory: its siblings to the left and
// right, its first child (the root of its storage's tree), its colour, and
// where its data starts.
struct Placement {
    std::uint32_t left = kNoStream;
    std::uint32_t right = kNoStream;
    std::uint32_t child = kNoStream;
    std::uint8_t color = kBlack;
    std::uint32_t start = kEndOfChain;
};

}  // namespace

std::size_t CompoundFileWriter::Child(std::size_t parent, std::string_view name, bool storage) {
    CheckName(name);
    for (std::size_t index : entries_[parent].children) {
        if (!SameName(entries_[index].name, std::string(name))) continue;
        if (storage && entries_[index].storage) return index;
        throw FormatError("Der Name '" + std::string(name) + "' kommt in einer Verbunddatei doppelt vor.");
    }
    entries_.push_back(Entry{std::string(name), storage, {}, {}});
    entries_[parent].children.push_back(entries_.size() - 1);
    return entries_.size() - 1;
}

void CompoundFileWriter::AddStream(std::string_view path, std::string data) {
    std::size_t parent = 0;
    std::size_t slash;
    while ((slash = path.find('/')) != std::string_view::npos) {
        parent = Child(parent, path.substr(0, slash), true);
        path.remove_prefix(slash + 1);
    }
    entries_[Child(parent, path, false)].data = std::move(data);
}

std::string CompoundFileWriter::Finish() const {
    std::vector<Placement> places(entries_.size());

    // Each storage's children as a balanced search tree: the middle name is
    // the root, the halves its subtrees. Its leaves lie on two levels at most,
    // so colouring the lowest level red and all else black keeps every path
    // equally black and no red node under another.
    for (const Entry& entry : entries_) {
        if (!entry.storage || entry.children.empty()) continue;
        std::vector<std::size_t> sorted = entry.children;
        std::sort(sorted.begin(), sorted.end(),
                  [&](std::size_t a, std::size_t b) { return NameLess(entries_[a].name, entries_[b].name); });
        std::vector<std::pair<std::size_t, std::size_t>> depths;  // entry, depth
        const std::function<std::uint32_t(std::size_t, std::size_t, std::size_t)> build =
            [&](std::size_t begin, std::size_t end, std::size_t depth) -> std::uint32_t {
            if (begin == end) return kNoStream;
            const std::size_t middle = begin + (end - begin) / 2;
            const std::size_t index = sorted[middle];
            places[index].left = build(begin, middle, depth + 1);
            places[index].right = build(middle + 1, end, depth + 1);
            depths.emplace_back(index, depth);
            return static_cast<std::uint32_t>(index);
        };
        const std::size_t parent = &entry - entries_.data();
        places[parent].child = build(0, sorted.size(), 0);
        std::size_t lowest = 0;
        for (const auto& [index, depth] : depths) lowest = std::max(lowest, depth);
        for (const auto& [index, depth] : depths) places[index].color = lowest > 0 && depth == lowest ? kRed : kBlack;
    }

    // Small streams go into the mini stream, one chain of 64-byte sectors
    // each; the others get sectors of their own.
    std::string miniStream;
    std::vector<std::uint32_t> miniFat;
    std::size_t bigSectors = 0;
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.storage || entry.data.empty()) continue;
        if (entry.data.size() < kMiniStreamCutoff) {
            const std::size_t first = miniFat.size();
            const std::size_t count = SectorsFor(entry.data.size(), kMiniSectorSize);
            for (std::size_t s = first; s + 1 < first + count; ++s) miniFat.push_back(static_cast<std::uint32_t>(s + 1));
            miniFat.push_back(kEndOfChain);
            places[i].start = static_cast<std::uint32_t>(first);
            miniStream += entry.data;
            PadTo(miniStream, kMiniSectorSize, '\0');
        } else {
            bigSectors += SectorsFor(entry.data.size(), kSectorSize);
        }
    }

    const std::size_t directorySectors = SectorsFor(entries_.size() * kEntrySize, kSectorSize);
    const std::size_t miniFatSectors = SectorsFor(miniFat.size() * 4, kSectorSize);
    const std::size_t miniStreamSectors = SectorsFor(miniStream.size(), kSectorSize);
    const std::size_t others = directorySectors + miniFatSectors + miniStreamSectors + bigSectors;
    std::size_t fatSectors = 1;
    while (fatSectors * kSlotsPerSector < fatSectors + others) ++fatSectors;
    if (fatSectors > kHeaderFatSlots) throw FormatError("Die Verbunddatei würde zu groß.");

    // Sectors in order: allocation table, directory, mini allocation table,
    // mini stream, large streams.
    std::vector<std::uint32_t> fat(fatSectors * kSlotsPerSector, kFreeSector);
    std::size_t next = 0;
    const auto chain = [&](std::size_t count) -> std::uint32_t {
        if (count == 0) return kEndOfChain;
        const std::size_t first = next;
        for (std::size_t s = first; s + 1 < first + count; ++s) fat[s] = static_cast<std::uint32_t>(s + 1);
        fat[first + count - 1] = kEndOfChain;
        next += count;
        return static_cast<std::uint32_t>(first);
    };
    for (std::size_t s = 0; s < fatSectors; ++s) fat[s] = kFatSector;
    next = fatSectors;
    const std::uint32_t directoryStart = chain(directorySectors);
    const std::uint32_t miniFatStart = chain(miniFatSectors);
    places[0].start = chain(miniStreamSectors);
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (!entry.storage && entry.data.size() >= kMiniStreamCutoff) {
            places[i].start = chain(SectorsFor(entry.data.size(), kSectorSize));
        }
    }

    std::string out;
    out.reserve(kHeaderSize + next * kSectorSize);
    out += std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    out.append(16, '\0');  // class id
    Append16(out, 0x003E);  // minor version
    Append16(out, 0x0003);  // major version: 512-byte sectors
    Append16(out, 0xFFFE);  // little-endian
    Append16(out, 9);       // sector size 2^9
    Append16(out, 6);       // mini sector size 2^6
    out.append(6, '\0');
    Append32(out, 0);  // directory sectors: always 0 in version 3
    Append32(out, static_cast<std::uint32_t>(fatSectors));
    Append32(out, directoryStart);
    Append32(out, 0);  // transaction signature
    Append32(out, static_cast<std::uint32_t>(kMiniStreamCutoff));
    Append32(out, miniFatStart);
    Append32(out, static_cast<std::uint32_t>(miniFatSectors));
    Append32(out, kEndOfChain);  // no further allocation table sectors
    Append32(out, 0);
    for (std::size_t s = 0; s < kHeaderFatSlots; ++s) {
        Append32(out, s < fatSectors ? static_cast<std::uint32_t>(s) : kFreeSector);
    }

    for (std::uint32_t slot : fat) Append32(out, slot);

    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        const std::size_t at = out.size();
        for (char c : entry.name) Append16(out, static_cast<unsigned char>(c));
        out.resize(at + 64, '\0');
        Append16(out, static_cast<std::uint16_t>((entry.name.size() + 1) * 2));
        out.push_back(static_cast<char>(i == 0 ? kTypeRoot : entry.storage ? kTypeStorage : kTypeStream));
        out.push_back(static_cast<char>(places[i].color));
        Append32(out, places[i].left);
        Append32(out, places[i].right);
        Append32(out, places[i].child);
        out.append(16 + 4 + 8 + 8, '\0');  // class id, state bits, creation and change times
        const std::size_t size = i == 0 ? miniStream.size() : entry.data.size();
        Append32(out, entry.storage && i != 0 ? 0 : places[i].start);
        Append32(out, static_cast<std::uint32_t>(size));
        Append32(out, 0);
    }
    // Unused entries: empty, their links pointing nowhere.
    while ((out.size() - kHeaderSize) % kSectorSize != 0) {
        const std::size_t at = out.size();
        out.resize(at + 68, '\0');
        Append32(out, kNoStream);
        Append32(out, kNoStream);
        Append32(out, kNoStream);
        out.resize(at + kEntrySize, '\0');
    }

    for (std::uint32_t slot : miniFat) Append32(out, slot);
    while ((out.size() - kHeaderSize) % kSectorSize != 0) Append32(out, kFreeSector);

    out += miniStream;
    PadTo(out, kSectorSize, '\0');
    for (const Entry& entry : entries_) {
        if (entry.storage || entry.data.size() < kMiniStreamCutoff) continue;
        out += entry.data;
        PadTo(out, kSectorSize, '\0');
    }
    return out;
}

}  // namespace brackwell::formats::cfb
