#pragma once
// Builds a compound file (version 3: 512-byte sectors) in memory, as VBA
// projects are stored: storages holding streams and further storages.
// Streams under 4096 bytes live in the mini stream (64-byte sectors), the
// others in sectors of their own. Each storage's entries form a red-black
// tree ordered as the format orders names: shorter names first, names of
// equal length by their upper-case letters. Names are ASCII; the file holds
// no times and no class ids, so the same content gives the same bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::formats::cfb {

class CompoundFileWriter {
public:
    // `path` names the stream below the root, storages and stream joined by
    // '/' ("VBA/dir"); storages on the way are made as needed. Throws
    // FormatError for an empty or doubled name, a name longer than 31
    // characters or not ASCII.
    void AddStream(std::string_view path, std::string data);
    // The file's bytes. Throws FormatError when it would need more than 109
    // sectors of allocation table (about 7 MB).
    std::string Finish() const;

private:
    struct Entry {
        std::string name;
        bool storage = false;
        std::string data;
        std::vector<std::size_t> children;  // indices into entries_
    };
    std::size_t Child(std::size_t parent, std::string_view name, bool storage);

    std::vector<Entry> entries_{Entry{"Root Entry", true, {}, {}}};
};

}  // namespace brackwell::formats::cfb
