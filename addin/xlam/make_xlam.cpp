// Builds the add-in workbook from the host-side module:
//
//   make_xlam <module.bas> <workbook.xlam>
//
// The workbook is written under a temporary name beside its place, read back
// and compared, and only then renamed into place, so a damaged or partly
// written file never stands where the build expects a good one. Any failure
// is said on the error stream, compiler-style for a line of the module, and
// ends the program with 1, which fails the build.

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include "addin/xlam/code_page_1252.h"
#include "addin/xlam/module_source.h"
#include "addin/xlam/vba_project.h"
#include "addin/xlam/xlam_package.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteChecked(const std::string& bytes, const fs::path& target) {
    const fs::path temporary = target.string() + ".tmp";
    try {
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) throw std::runtime_error("cannot write " + temporary.string());
        }
        if (ReadFile(temporary) != bytes) throw std::runtime_error(temporary.string() + " does not read back as written");
        fs::rename(temporary, target);
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_xlam <module.bas> <workbook.xlam>\n";
        return 2;
    }
    try {
        const brackwell::addin::ModuleSource module = brackwell::addin::ParseModuleSource(ReadFile(argv[1]));
        WriteChecked(brackwell::addin::XlamPackage(brackwell::addin::VbaProjectBin(module)), argv[2]);
        return 0;
    } catch (const brackwell::addin::ModuleTextError& e) {
        std::cerr << argv[1] << ":" << e.Line() << ": error: " << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "make_xlam: error: " << e.what() << "\n";
    }
    return 1;
}
