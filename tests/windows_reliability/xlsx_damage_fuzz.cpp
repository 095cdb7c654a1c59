// Fuzzes the demo's .xlsx reader under Wine (it reads XML with the system's
// XmlLite): seeded damage to whole packages (flipped and replaced bytes, cut
// short, pieces doubled or dropped, bytes put in), to deflated packages and
// to stored ones whose XML lies open. Each damaged package either reads as a
// workbook or is refused with the reader's FormatError (WorkbookFileError
// through the file store); anything else is a finding, as is a crash.
//
//   xlsx_damage_fuzz [--seconds N] [--seed S]

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "excel_standin/xlsx/format_error.h"
#include "excel_standin/xlsx/workbook_reader.h"
#include "excel_standin/xlsx/workbook_writer.h"
#include "excel_standin/xlsx/xlsx_workbook_files.h"
#include "excel_standin/xlsx/zip_reader.h"
#include "excel_standin/xlsx/zip_writer.h"
#include "tests/windows_reliability/fuzz_run.h"

using namespace brackwell;
using namespace brackwell::win::xlsx;
using brackwell::win::test::ReadFuzzRun;

namespace {

// Everything the reader knows: both sheet kinds, hidden sheets, tab colours,
// protection with and without password, names of both scopes, a hidden window.
embedded::WorkbookContent RichContent() {
    embedded::WorkbookContent content;
    auto sheet = [&](const char* name, embedded::SheetKind kind) -> embedded::SheetContent& {
        auto& s = content.sheets.emplace_back();
        s.name = name;
        s.kind = kind;
        return s;
    };
    sheet("Übersicht", embedded::SheetKind::Worksheet).tabColorIndex = 3;
    auto& secret = sheet("売上", embedded::SheetKind::Worksheet);
    secret.protectedContents = true;
    secret.password = "geheim";
    sheet("Diagramm1", embedded::SheetKind::Chart).visible = false;
    sheet("Daten", embedded::SheetKind::Worksheet).protectedContents = true;
    content.names.push_back({"Bereich", "=Übersicht!$A$1:$C$3", std::nullopt});
    content.names.push_back({"Lokal", "=Daten!$B$2", std::string("Daten")});
    content.firstWindowVisible = false;
    return content;
}

// The same package with every part stored, so damage reaches the XML itself.
std::string Stored(const std::string& package) {
    ZipReader reader(package);
    ZipWriter writer;
    for (const ZipEntry& entry : reader.Entries()) writer.Add(entry.name, reader.Read(entry), ZipMethod::Stored);
    return writer.Finish();
}

class Damage {
public:
    explicit Damage(unsigned seed) : random_(seed) {}

    std::string Apply(std::string bytes) {
        for (std::size_t n = 1 + Pick(4); n > 0 && !bytes.empty(); --n) {
            const std::size_t at = Pick(bytes.size());
            switch (Pick(7)) {
            case 0: bytes[at] = static_cast<char>(bytes[at] ^ (1 << Pick(8))); break;
            case 1: bytes[at] = "\0\xFF<>\"&/="[Pick(8)]; break;
            case 2: bytes.resize(at); break;
            case 3: bytes.insert(at, bytes.substr(at, Pick(64))); break;
            case 4: bytes.erase(at, Pick(64)); break;
            case 5: bytes.insert(at, std::string(Pick(16), static_cast<char>(Pick(256)))); break;
            case 6: {  // a 32-bit field set to a size no archive has
                if (at + 4 <= bytes.size()) bytes.replace(at, 4, "\xFF\xFF\xFF\x7F");
                break;
            }
            }
        }
        return bytes;
    }
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

private:
    std::mt19937 random_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto [seconds, seed] = ReadFuzzRun(argc, argv, "xlsx_damage_fuzz");
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const std::string deflated = WriteWorkbook(RichContent());
    const std::vector<std::string> seeds = {deflated, Stored(deflated), WriteWorkbook(RichContent(), PackageKind::MacroEnabledWorkbook)};
    const std::filesystem::path file = std::filesystem::temp_directory_path() / ("xlsx-fuzz-" + std::to_string(seed) + ".xlsx");
    XlsxWorkbookFiles files;

    Damage damage(seed);
    long executions = 0, read = 0, refused = 0;
    int findings = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const std::string damaged = damage.Apply(seeds[damage.Pick(seeds.size())]);
        ++executions;
        try {
            ReadWorkbook(ZipReader(damaged));
            ++read;
        } catch (const FormatError&) {
            ++refused;
        } catch (const std::exception& e) {
            ++findings;
            std::printf("FINDING: %s after %ld executions\n", e.what(), executions);
        }
        // Now and then the whole way the demo goes: a file on disk, opened through the store.
        if (executions % 16 == 0) {
            std::ofstream(file, std::ios::binary) << damaged;
            const std::u8string path = file.u8string();
            try {
                files.Load(std::string(path.begin(), path.end()));
            } catch (const embedded::WorkbookFileError&) {
            } catch (const std::exception& e) {
                ++findings;
                std::printf("FINDING: the file store let out %s\n", e.what());
            }
        }
    }
    std::filesystem::remove(file);
    std::printf("xlsx_damage_fuzz: %ld executions in %.0f s (%ld read as workbooks, %ld refused), %s\n", executions,
                seconds, read, refused, findings ? "FINDING" : "no finding");
    CoUninitialize();
    return findings ? 1 : 0;
}
