#pragma once
// The fixed parts of the ZIP format (PKWARE APPNOTE) that the reader and the
// writer share: record signatures and sizes, flags, methods, and little-endian
// access to the byte buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/little_endian.h"

namespace brackwell::formats::zip {

inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
inline constexpr std::uint32_t kEndOfDirectorySignature = 0x06054b50;
inline constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;

inline constexpr std::size_t kLocalHeaderSize = 30;
inline constexpr std::size_t kCentralHeaderSize = 46;
inline constexpr std::size_t kEndOfDirectorySize = 22;
inline constexpr std::size_t kZip64LocatorSize = 20;
inline constexpr std::size_t kMaxCommentSize = 0xFFFF;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagUtf8Name = 0x0800;

// 2.0: deflate, folders. Nothing this writer produces needs more.
inline constexpr std::uint16_t kVersionNeeded = 20;

// Values that say "the real one is in the ZIP64 record".
inline constexpr std::uint16_t kZip64Count = 0xFFFF;
inline constexpr std::uint32_t kZip64Size = 0xFFFFFFFF;

using formats::Append16;
using formats::Append32;
using formats::Read16;
using formats::Read32;

}  // namespace brackwell::formats::zip
