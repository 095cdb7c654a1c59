#include "formats/ovba/ovba_compression.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace brackwell::formats::ovba {

namespace {

constexpr std::size_t kChunkSize = 4096;
constexpr char kSignature = 0x01;
constexpr std::uint16_t kChunkSignature = 0x3000;  // 0b011 in bits 12 to 14
constexpr std::uint16_t kCompressedFlag = 0x8000;
constexpr std::size_t kMinimumCopy = 3;

// How a copy token at `position` bytes into its chunk splits its 16 bits:
// the offset gets as many bits as it needs to reach the chunk's start (at
// least 4), the length the rest.
struct CopyTokenSplit {
    unsigned offsetBits;
    std::size_t maximumLength;
};

CopyTokenSplit SplitAt(std::size_t position) {
    unsigned bits = 4;
    while ((std::size_t{1} << bits) < position) ++bits;
    return {bits, (std::size_t{0xFFFF} >> bits) + kMinimumCopy};
}

void Append16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

// The token sequences of one chunk.
std::string CompressChunk(std::string_view chunk) {
    std::string out;
    std::size_t position = 0;
    while (position < chunk.size()) {
        const std::size_t flagAt = out.size();
        out.push_back(0);
        for (unsigned token = 0; token < 8 && position < chunk.size(); ++token) {
            const CopyTokenSplit split = SplitAt(position);
            const std::size_t longest = std::min(split.maximumLength, chunk.size() - position);
            std::size_t bestLength = 0;
            std::size_t bestStart = 0;
            for (std::size_t candidate = position; candidate-- > 0 && bestLength < longest;) {
                std::size_t length = 0;
                // The copy may run into the bytes it produces, as the reader
                // copies one byte at a time.
                while (length < longest && chunk[candidate + length] == chunk[position + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestStart = candidate;
                }
            }
            if (bestLength >= kMinimumCopy) {
                const std::size_t offset = position - bestStart;
                Append16(out, static_cast<std::uint16_t>(((offset - 1) << (16 - split.offsetBits)) |
                                                         (bestLength - kMinimumCopy)));
                out[flagAt] = static_cast<char>(out[flagAt] | (1 << token));
                position += bestLength;
            } else {
                out.push_back(chunk[position]);
                ++position;
            }
        }
    }
    return out;
}

}  // namespace

std::string Compress(std::string_view data) {
    std::string out(1, kSignature);
    for (std::size_t start = 0; start < data.size(); start += kChunkSize) {
        const std::string_view chunk = data.substr(start, kChunkSize);
        const std::string tokens = CompressChunk(chunk);
        if (tokens.size() <= kChunkSize) {
            // The size field holds the chunk's size less 3: header and tokens.
            Append16(out, static_cast<std::uint16_t>((tokens.size() + 2 - 3) | kChunkSignature | kCompressedFlag));
            out += tokens;
        } else {
            Append16(out, static_cast<std::uint16_t>((kChunkSize + 2 - 3) | kChunkSignature));
            out += chunk;
            out.append(kChunkSize - chunk.size(), '\0');
        }
    }
    return out;
}

}  // namespace brackwell::formats::ovba
