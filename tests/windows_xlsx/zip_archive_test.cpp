// The ZIP layer on its own: what the writer puts in, the reader gets back
// byte for byte, and damaged or unsupported archives are refused with a
// reason instead of being read wrongly.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/zip_format.h"
#include "excel_standin/xlsx/zip_reader.h"
#include "excel_standin/xlsx/zip_writer.h"
#include "tests/windows_xlsx/xlsx_test_support.h"

namespace brackwell::win::xlsx {
namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

std::string Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 7 == 0 ? random() & 0xFF : 'a' + random() % 3);
    return bytes;
}

// Little-endian `value` over `width` bytes at `at`.
void Put(std::string& bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// Where the first central directory record starts (archives without comment).
std::size_t DirectoryAt(const std::string& archive) {
    return zip::Read32(archive, archive.size() - zip::kEndOfDirectorySize + 16);
}
std::size_t EndAt(const std::string& archive) { return archive.size() - zip::kEndOfDirectorySize; }

// The directory's uncompressed size of the first entry, off by `by`.
void MisstateSize(std::string& archive, int by) {
    const std::size_t at = DirectoryAt(archive) + 24;
    Put(archive, at, zip::Read32(archive, at) + by, 4);
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

    // Read in small pieces, the same bytes.
    const auto entry = reader.Open(reader.Entries()[1]);
    std::string collected;
    char piece[7];
    for (std::size_t got; (got = entry->Read(piece, sizeof piece)) != 0;) collected.append(piece, got);
    EXPECT_EQ(collected, big);
    EXPECT_EQ(entry->Position(), big.size());
}

TEST(ZipArchive, NamesWithoutUtf8FlagAreCodePage437) {
    std::string archive = OneEntry("x", ZipMethod::Stored);
    // Rename "teil.xml" to "M\x81ller.xml" (ü in code page 437), flag clear.
    for (const std::size_t nameAt : {zip::kLocalHeaderSize, DirectoryAt(archive) + zip::kCentralHeaderSize}) {
        archive.replace(nameAt, 8, "M\x81ller.x");
    }
    EXPECT_EQ(ZipReader(archive).Entries()[0].name, "Müller.x");
}

struct Damage {
    const char* what;
    bool deflated;  // changes 20,000 deflated bytes, or a short stored text
    void (*change)(std::string& archive);
    const char* reason;  // what the message names; "" where the refusal is enough
};

// Damage of every kind at random is the damage fuzzer's; here, each reason once.

const Damage kDamages[] = {
    {"text", false, [](auto& a) { a = "Hallo Welt, das ist Text."; }, "kein ZIP-Archiv"},
    {"nothing", false, [](auto& a) { a.clear(); }, "kein ZIP-Archiv"},
    {"data cut short, directory whole", true, [](auto& a) { a = a.substr(0, 100) + a.substr(DirectoryAt(a)); }, ""},
    {"a stored byte changed", false, [](auto& a) { a[zip::kLocalHeaderSize + 8 + 3] ^= 0x20; }, "Prüfsumme"},
    {"directory promises more", true, [](auto& a) { MisstateSize(a, +1); }, "als angegeben"},
    {"directory promises less", true, [](auto& a) { MisstateSize(a, -1); }, "als angegeben"},
    {"encrypted", false, [](auto& a) { Put(a, DirectoryAt(a) + 8, zip::kFlagEncrypted, 2); }, "verschlüsselt"},
    {"bzip2", false, [](auto& a) { Put(a, DirectoryAt(a) + 10, 12, 2); }, "Komprimierungsverfahren (12)"},
    {"ZIP64", false, [](auto& a) { Put(a, EndAt(a) + 10, 0xFFFF, 2); }, "ZIP64"},
    {"split", false, [](auto& a) { Put(a, EndAt(a) + 4, 1, 2); }, "Mehrteilige"},
};

TEST(ZipArchive, DamagedOrUnsupportedArchivesAreRefusedWithAReason) {
    const std::string stored = OneEntry("Inhalt, der sich ändert", ZipMethod::Stored);
    const std::string deflated = OneEntry(Noise(20000, 5), ZipMethod::Deflated);
    for (const Damage& damage : kDamages) {
        std::string archive = damage.deflated ? deflated : stored;
        damage.change(archive);
        EXPECT_THAT([&] { ReadFirst(archive); }, ThrowsMessage<FormatError>(HasSubstr(damage.reason))) << damage.what;
    }
}

}  // namespace
}  // namespace brackwell::win::xlsx
