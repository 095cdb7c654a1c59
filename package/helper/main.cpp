// brackwell-setup.exe: the parts of installing that cmd cannot do exactly,
// for the package's install.cmd and uninstall.cmd. It takes no paths on its
// command line: it finds the installation where the scripts put it, through
// the same environment variables, so no user's folder name ever passes
// through cmd's parsing a second time.
//
//   brackwell-setup closed          0: Excel does not run in this session and
//                                   no installed file is held open; 1: it does
//   brackwell-setup unblock         removes the mark of the web from every
//                                   installed file; 1: a mark stays
//   brackwell-setup addins add      puts the add-in workbook on Excel's lists
//   brackwell-setup addins remove   takes it off them; 1: a list stays unwritten
//
// Exit code 2: an unknown command, or LOCALAPPDATA or APPDATA not set.

#include <windows.h>

#include <vector>
#include <string>

#include "package/helper/addin_lists.h"
#include "package/helper/excel_running.h"
#include "package/helper/install_places.h"
#include "package/helper/web_mark.h"

namespace brackwell::package {
namespace {

constexpr int kDone = 0;
constexpr int kNotDone = 1;
constexpr int kUsage = 2;

// The installed files and the add-in workbook, this program's own file left
// out (it runs from the installation when the installed uninstaller calls it).
std::vector<std::wstring> InstalledFiles() {
    std::vector<std::wstring> files = FilesBelow(InstallFolder());
    files.push_back(AddinWorkbook());
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::erase_if(files, [&](const std::wstring& file) { return SamePath(file, self); });
    return files;
}

int Closed() { return ExcelRunsInThisSession() || !HeldOpen(InstalledFiles()).empty() ? kNotDone : kDone; }

int Unblock() {
    bool all = true;
    for (const std::wstring& file : InstalledFiles()) {
        if (::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) all &= RemoveWebMark(file);
    }
    return all ? kDone : kNotDone;
}

int Run(int argc, wchar_t** argv) {
    if (InstallFolder().empty() || AddinWorkbook().empty()) return kUsage;
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const std::wstring action = argc > 2 ? argv[2] : L"";
    if (command == L"closed" && argc == 2) return Closed();
    if (command == L"unblock" && argc == 2) return Unblock();
    if (command == L"addins" && action == L"add" && argc == 3)
        return AddToAddinLists(AddinWorkbook()) ? kDone : kNotDone;
    if (command == L"addins" && action == L"remove" && argc == 3)
        return RemoveFromAddinLists(AddinWorkbook()) ? kDone : kNotDone;
    return kUsage;
}

}  // namespace
}  // namespace brackwell::package

int wmain(int argc, wchar_t** argv) { return brackwell::package::Run(argc, argv); }
