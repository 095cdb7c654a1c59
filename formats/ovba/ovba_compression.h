#pragma once
// The compression of VBA project streams (the dir stream and the modules'
// source text): a signature byte, then chunks that each stand for 4096 bytes
// of the data (the last one for the rest). A chunk is a row of token
// sequences, a flag byte and up to eight tokens, each token a literal byte or
// a copy of earlier bytes of the same chunk; the copy token's split between
// offset and length bits depends on how far into the chunk it stands. A chunk
// that would not get smaller is stored raw, as its 4096 bytes.

#include <string>
#include <string_view>

namespace brackwell::formats::ovba {

// The compressed container of `data`. Compressing is deterministic: the
// longest earlier match in the chunk wins (as long as a token can hold), the
// nearest of equally long ones.
// A last chunk shorter than 4096 bytes that does not compress (only random
// bytes of more than 3640) must still be stored raw, filled up with zeros,
// which a reader then sees as part of the data; text never comes near that.
std::string Compress(std::string_view data);

}  // namespace brackwell::formats::ovba
