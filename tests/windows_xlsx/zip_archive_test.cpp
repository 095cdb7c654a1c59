// The ZIP layer on its own: what the writer puts in, the reader gets back
// byte for byte, and damaged or unsupported archives are refused with a
// reason instead of being read wrongly.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "adapters/windows/xlsx/format_error.h"
#include "adapters/windows/xlsx/zip_format.h"
#include "adapters/windows/xlsx/zip_reader.h"
#include "adapters/windows/xlsx/zip_writer.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using ::testing::HasSubstr;
using test::MessageOf;

std::string Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 7 == 0 ? random() & 0xFF : 'a' + random() % 3);
    return bytes;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}
void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// Where the first central directory record starts (archives without comment).
std::size_t DirectoryOffset(const std::string& archive) {
    return zip::Read32(archive, archive.size() - zip::kEndOfDirectorySize + 16);
}

std::string OneEntry(std::string_view data, ZipMethod method) {
    ZipWriter writer;
    writer.Add("teil.xml", data, method);
    return writer.Finish();
}

std::string ReadFirst(const std::string& archive) {
    const ZipReader reader(archive);
    return reader.Read(reader.Entries().at(0));
}

TEST(ZipArchive, RoundTripKeepsStoredAndDeflatedEntriesWithUnicodeNames) {
    const std::string big = Noise(300000, 1);
    const std::string binary("\0\x01\xFF\0zwei", 8);
    ZipWriter writer;
    writer.Add("a.txt", "hallo", ZipMethod::Stored);
    writer.Add("ordner/Übersicht.xml", big, ZipMethod::Deflated);
    writer.Add("売上.bin", binary, ZipMethod::Stored);
    writer.Add("leer", "", ZipMethod::Deflated);
    const std::string archive = writer.Finish();

    const ZipReader reader(archive);
    ASSERT_EQ(reader.Entries().size(), 4u);
    EXPECT_EQ(reader.Entries()[1].name, "ordner/Übersicht.xml");
    EXPECT_EQ(reader.Entries()[0].method, zip::kMethodStored);
    EXPECT_EQ(reader.Entries()[1].method, zip::kMethodDeflated);
    EXPECT_LT(reader.Entries()[1].compressedSize, big.size());
    EXPECT_EQ(reader.Read(*reader.Find("a.txt")), "hallo");
    EXPECT_EQ(reader.Read(*reader.Find("ordner/Übersicht.xml")), big);
    EXPECT_EQ(reader.Read(*reader.Find("売上.bin")), binary);
    EXPECT_EQ(reader.Read(*reader.Find("leer")), "");
    // Part names ignore ASCII case; a missing one is reported as absent.
    EXPECT_NE(reader.Find("ORDNER/Übersicht.XML"), nullptr);
    EXPECT_EQ(reader.Find("fehlt.xml"), nullptr);
}

TEST(ZipArchive, ReadingInSmallPiecesGivesTheSameBytes) {
    const std::string big = Noise(100000, 2);
    const ZipReader reader(OneEntry(big, ZipMethod::Deflated));
    const auto entry = reader.Open(reader.Entries()[0]);
    std::string collected;
    char piece[7];
    for (std::size_t got; (got = entry->Read(piece, sizeof piece)) != 0;) collected.append(piece, got);
    EXPECT_EQ(collected, big);
    EXPECT_EQ(entry->Position(), big.size());
}

TEST(ZipArchive, NamesWithoutUtf8FlagAreCodePage437) {
    std::string archive = OneEntry("x", ZipMethod::Stored);
    // Rename "teil.xml" to "M\x81ller.xml" (ü in code page 437), flag clear.
    const std::size_t directory = DirectoryOffset(archive);
    for (const std::size_t nameAt : {zip::kLocalHeaderSize, directory + zip::kCentralHeaderSize}) {
        archive.replace(nameAt, 8, "M\x81ller.x");
    }
    EXPECT_EQ(ZipReader(archive).Entries()[0].name, "Müller.x");
}

TEST(ZipArchive, RefusesWhatIsNoZipArchive) {
    EXPECT_THAT(MessageOf<FormatError>([] { ZipReader("Hallo Welt, das ist Text."); }), HasSubstr("kein ZIP-Archiv"));
    EXPECT_THAT(MessageOf<FormatError>([] { ZipReader(""); }), HasSubstr("kein ZIP-Archiv"));
}

TEST(ZipArchive, RefusesTruncatedArchives) {
    const std::string archive = OneEntry(Noise(5000, 3), ZipMethod::Deflated);
    // Cut inside the directory, and inside the data (the directory's end gone).
    EXPECT_THROW(ZipReader(archive.substr(0, archive.size() - 30)), FormatError);
    EXPECT_THROW(ZipReader(archive.substr(0, archive.size() / 2)), FormatError);
    // The directory kept, the data behind it cut short: its offsets point past the end.
    std::string shortened = archive.substr(0, 100) + archive.substr(DirectoryOffset(archive));
    EXPECT_THROW(ReadFirst(shortened), FormatError);
}

TEST(ZipArchive, DetectsDamagedContent) {
    std::string stored = OneEntry("Inhalt, der sich ändert", ZipMethod::Stored);
    stored[zip::kLocalHeaderSize + 8 + 3] ^= 0x20;
    EXPECT_THAT(MessageOf<FormatError>([&] { ReadFirst(stored); }), HasSubstr("Prüfsumme"));

    std::string deflated = OneEntry(Noise(20000, 4), ZipMethod::Deflated);
    for (std::size_t i = 60; i < 160; ++i) deflated[i] = static_cast<char>(0xFF);
    EXPECT_THROW(ReadFirst(deflated), FormatError);

    // A directory that promises more (or less) than the data holds.
    for (const std::int64_t change : {+1, -1}) {
        std::string lying = OneEntry(Noise(20000, 5), ZipMethod::Deflated);
        const std::size_t sizeAt = DirectoryOffset(lying) + 24;
        Put32(lying, sizeAt, static_cast<std::uint32_t>(zip::Read32(lying, sizeAt) + change));
        EXPECT_THAT(MessageOf<FormatError>([&] { ReadFirst(lying); }), HasSubstr("als angegeben")) << change;
    }
}

TEST(ZipArchive, RefusesUnsupportedArchives) {
    const std::string archive = OneEntry("x", ZipMethod::Stored);
    const std::size_t directory = DirectoryOffset(archive);

    std::string encrypted = archive;
    Put16(encrypted, directory + 8, zip::kFlagEncrypted);
    EXPECT_THAT(MessageOf<FormatError>([&] { ReadFirst(encrypted); }), HasSubstr("verschlüsselt"));

    std::string bzip2 = archive;
    Put16(bzip2, directory + 10, 12);
    EXPECT_THAT(MessageOf<FormatError>([&] { ReadFirst(bzip2); }), HasSubstr("Komprimierungsverfahren (12)"));

    std::string zip64 = archive;
    Put16(zip64, zip64.size() - zip::kEndOfDirectorySize + 10, 0xFFFF);
    EXPECT_THAT(MessageOf<FormatError>([&] { ZipReader{zip64}; }), HasSubstr("ZIP64"));

    std::string split = archive;
    Put16(split, split.size() - zip::kEndOfDirectorySize + 4, 1);
    EXPECT_THAT(MessageOf<FormatError>([&] { ZipReader{split}; }), HasSubstr("Mehrteilige"));
}

TEST(ZipArchive, RefusesDirectoryEntriesThatLeaveTheBuffer) {
    const std::string archive = OneEntry("x", ZipMethod::Stored);
    const std::size_t directory = DirectoryOffset(archive);

    std::string longName = archive;
    Put16(longName, directory + 28, 5000);
    EXPECT_THROW(ZipReader{longName}, FormatError);

    std::string farHeader = archive;
    Put32(farHeader, directory + 42, 0x00FFFFFF);
    EXPECT_THROW(ReadFirst(farHeader), FormatError);

    std::string farDirectory = archive;
    Put32(farDirectory, farDirectory.size() - zip::kEndOfDirectorySize + 16, 0x7FFFFFFF);
    EXPECT_THROW(ZipReader{farDirectory}, FormatError);
}

}  // namespace
}  // namespace brackwell::win::xlsx
