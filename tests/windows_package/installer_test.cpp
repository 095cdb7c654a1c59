// The release package's install.cmd and uninstall.cmd, run by the system's
// cmd as a user runs them, for a user whose folders' names hold every
// character cmd treats specially: both DLLs installed, each registered in the
// registry view of its bitness, the COM add-in's key, the entry among the
// installed programs; installing again, Excel running meanwhile, and the
// uninstaller run as the installed programs' list runs it. Then /vba: it
// takes over an installation of a version before, also puts the add-in
// workbook on Excel's lists and leaves the other add-ins' entries byte for byte.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/settings/registry_key.h"
#include "adapters/windows/ui/win_handles.h"
#include "tests/windows_com/registry_snapshot.h"

namespace brackwell::win::test {
namespace {

namespace fs = std::filesystem;

// The user's folders hold every character cmd treats specially and a letter
// outside ASCII. TEMP stays as it is: Wine's cmd writes the output of a
// `for /f` command to a file there and cannot name such a path.
const std::wstring kProfile = L"C:\\users\\Anna & Ben (Büro) 100%! ^x";
const std::wstring kAppData = kProfile + L"\\AppData\\Roaming 'ü'";
const std::wstring kLocalAppData = kProfile + L"\\AppData\\Lokal; 2,5";
// The unpacked package, with all of them but "%": Wine's cmd expands the text
// of %~dp0 once more and loses a "%" in it, which Windows' cmd does not.
const std::wstring kPackage = L"C:\\users\\Public\\Downloads\\brackwell (Kopie) & 'ü'; 1,0 ^!";
const std::wstring kTarget = kLocalAppData + L"\\Brackwell";
const std::wstring kWorkbook = kAppData + L"\\Microsoft\\AddIns\\Brackwell.xlam";

constexpr wchar_t kOffice[] = L"Software\\Microsoft\\Office";
constexpr wchar_t kComAddin[] = L"Software\\Microsoft\\Office\\Excel\\Addins\\Brackwell.Connect";
constexpr wchar_t kOtherComAddin[] = L"Software\\Microsoft\\Office\\Excel\\Addins\\Contoso.Werkzeuge";
constexpr wchar_t kPrograms[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kEntry[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brackwell";
constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings";
constexpr wchar_t kSettings[] = L"Software\\VB and VBA Program Settings\\Brackwell\\Settings";
constexpr wchar_t kList[] = L"Software\\Microsoft\\Office\\16.0\\Excel\\Options";
constexpr wchar_t kOlderList[] = L"Software\\Microsoft\\Office\\14.0\\Excel\\Options";
constexpr wchar_t kUnticked[] = L"Software\\Microsoft\\Office\\16.0\\Excel\\Add-in Manager";
constexpr const wchar_t* kOwnBitness = sizeof(void*) == 8 ? L"x64" : L"x86";
constexpr REGSAM kViewOf64 = KEY_WOW64_64KEY;
constexpr REGSAM kViewOf32 = KEY_WOW64_32KEY;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring Beside(const std::wstring& relative) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return (fs::path(Folder(self)) / relative).lexically_normal().wstring();
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What Windows has: the DLLs the installer registers on it, each with the
// registry view its Office reads; a 64-bit Windows without the 32-bit part
// (Wine without its 32-bit side) runs only 64-bit Office.
struct Bitness {
    const wchar_t* name;
    REGSAM view;
};
std::vector<Bitness> WindowsBitnesses() {
    wchar_t wow64[MAX_PATH] = {};
    if (sizeof(void*) == 4 && ::GetSystemWow64DirectoryW(wow64, MAX_PATH) == 0) return {{L"x86", 0}};
    if (::GetSystemWow64DirectoryW(wow64, MAX_PATH) && Exists(std::wstring(wow64) + L"\\regsvr32.exe"))
        return {{L"x64", kViewOf64}, {L"x86", kViewOf32}};
    return {{L"x64", kViewOf64}};
}

struct Result {
    int code = -1;
    std::string output;
};

// `line` run with no input (a `pause` ends at once), its output collected.
Result RunProgram(std::wstring line) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ::CreatePipe(&readEnd, &writeEnd, &inherited, 0);
    const KernelHandle reader(readEnd);
    KernelHandle writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const KernelHandle input(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                           OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = startup.hStdError = writer.Get();
    PROCESS_INFORMATION started{};
    Result result;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
        return result;
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    writer.Reset();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(reader.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) result.output.append(buffer, read);
    DWORD code = 0;
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &code);
    result.code = static_cast<int>(code);
    return result;
}

// A script as a double-click runs it, optionally with delayed expansion on by
// default, as the registry's DelayedExpansion=1 makes it (Wine's cmd does not
// read that value; /v:on has the same effect).
std::wstring Script(const std::wstring& path, const std::wstring& arguments, bool delayedExpansion = false) {
    return std::wstring(L"cmd.exe ") + (delayedExpansion ? L"/v:on " : L"") + L"/c \"\"" + path + L"\" " + arguments +
           L"\"";
}

std::wstring TextOf(const std::wstring& path, const wchar_t* name, REGSAM view = 0) {
    RegistryKey key;
    wchar_t text[2048] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | view, key.Receive()) != ERROR_SUCCESS ||
        RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return L"(missing)";
    DWORD number = 0;
    std::memcpy(&number, text, sizeof number);
    return type == REG_DWORD ? std::to_wstring(number) : std::wstring(text);
}

void Write(const std::wstring& path, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
    RegistryKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
    RegSetValueExW(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The class registered under the navigator's ProgID, in one view of the registry.
std::wstring NavigatorDll(REGSAM view) {
    const std::wstring clsid = TextOf(L"Software\\Classes\\Brackwell.Wayfinder\\CLSID", nullptr, view);
    return TextOf(L"Software\\Classes\\CLSID\\" + clsid + L"\\InprocServer32", nullptr, view);
}

// Everything the package touches, both views of the classes included (the
// machine's too: Wine puts a type library registered for the user there).
struct RegistryState {
    std::vector<RegistrySnapshot> parts;
    RegistryState() {
        for (REGSAM view : {kViewOf64, kViewOf32}) {
            parts.push_back(SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes", view));
            parts.push_back(SnapshotRegistry(HKEY_LOCAL_MACHINE, L"Software\\Classes", view));
        }
        parts.push_back(SnapshotRegistry(HKEY_CURRENT_USER, kOffice));
        parts.push_back(SnapshotRegistry(HKEY_CURRENT_USER, kPrograms));
    }
};

// `listsToo` false leaves out Excel's keys (kOffice), checked on their own.
void ExpectSame(const RegistryState& before, const RegistryState& after, bool listsToo = true) {
    for (std::size_t i = 0; i < before.parts.size(); ++i) {
        if (listsToo || i != 4) {
            EXPECT_EQ(RegistryDifferences(before.parts[i], after.parts[i]), std::vector<std::wstring>()) << i;
        }
    }
}

// A program called EXCEL.EXE that only waits, as long as it lives.
struct ExcelStandIn {
    KernelHandle process;
    explicit ExcelStandIn(const std::wstring& folder) {
        fs::create_directories(folder);
        fs::copy_file(Beside(L"idle_program.exe"), folder + L"\\EXCEL.EXE", fs::copy_options::overwrite_existing);
        std::wstring line = L"\"" + folder + L"\\EXCEL.EXE\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            process = KernelHandle(started.hProcess);
            ::CloseHandle(started.hThread);
        }
    }
    ~ExcelStandIn() {
        ::TerminateProcess(process.Get(), 0);
        ::WaitForSingleObject(process.Get(), INFINITE);
    }
};

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"USERPROFILE", L"APPDATA", L"LOCALAPPDATA"}) {
            wchar_t value[MAX_PATH] = {};
            ::GetEnvironmentVariableW(name, value, MAX_PATH);
            saved_.emplace_back(name, value);
        }
        ::SetEnvironmentVariableW(L"USERPROFILE", kProfile.c_str());
        ::SetEnvironmentVariableW(L"APPDATA", kAppData.c_str());
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", kLocalAppData.c_str());
        fs::create_directories(kAppData);
        fs::create_directories(kLocalAppData);
        fs::create_directories(Folder(kPackage));
        // This build's stage and the other bitness's DLLs, as tools/package zips them.
        fs::copy(Beside(BRACKWELL_PACKAGE_FROM_TEST), kPackage, fs::copy_options::recursive);
        const std::wstring other = Beside(BRACKWELL_OTHER_PACKAGE_FROM_TEST) + L"\\" +
                                   (sizeof(void*) == 8 ? L"x86" : L"x64");
        if (Exists(other)) fs::copy(other, kPackage + other.substr(other.find_last_of(L'\\')), fs::copy_options::recursive);
        for (const Bitness& bitness : bitnesses) {
            ASSERT_TRUE(Exists(kPackage + L"\\" + bitness.name + L"\\brackwell.dll"))
                << WideToUtf8(bitness.name) << " is missing: build the other Windows preset's brackwell_package_files";
        }
        officeWasThere_ = SnapshotRegistry(HKEY_CURRENT_USER, kOffice).size() > 0;
        // Keys Windows has and a fresh Wine prefix may lack, which a first
        // installation would make; 32-bit programs' classes apart, as
        // Windows keeps them (Wine does once that key is there).
        for (const wchar_t* key : {L"Software\\Classes\\Wow6432Node", kPrograms, kSettingsRoot}) {
            RegistryKey made;
            RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ, nullptr, made.Receive(), nullptr);
        }
        Write(kOtherComAddin, L"FriendlyName", L"Contoso & Söhne (Werkzeuge) 100%!");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        std::error_code ignored;
        fs::remove_all(kProfile, ignored);
        fs::remove_all(kPackage, ignored);
        if (!officeWasThere_) RegDeleteTreeW(HKEY_CURRENT_USER, kOffice);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brackwell");
    }

    const std::vector<Bitness> bitnesses = WindowsBitnesses();
    const std::wstring install = kPackage + L"\\install.cmd";

private:
    std::vector<std::pair<std::wstring, std::wstring>> saved_;
    bool officeWasThere_ = false;
};

TEST_F(InstallerTest, InstallsEveryBitnessForAUserOfAnyNameAndTheInstalledProgramsListRemovesItAgain) {
    const RegistryState before;

    // Started inside the zip, Explorer unpacks install.cmd alone; where the
    // installation's folder cannot be made (a read-only file has its name),
    // it stops and undoes what it did.
    const std::wstring unpackedAlone = kProfile + L"\\Temp1_brackwell.zip";
    fs::create_directories(unpackedAlone);
    fs::copy_file(install, unpackedAlone + L"\\install.cmd");
    EXPECT_EQ(RunProgram(Script(unpackedAlone + L"\\install.cmd", L"/quiet")).code, 3);
    std::ofstream(fs::path(kTarget)) << "in the way";
    ::SetFileAttributesW(kTarget.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(RunProgram(Script(install, L"/quiet")).code, 4);
    EXPECT_EQ(Bytes(kTarget), "in the way");
    ::SetFileAttributesW(kTarget.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(kTarget);
    ExpectSame(before, RegistryState());

    const Result installed = RunProgram(Script(install, L"/quiet", true));
    ASSERT_EQ(installed.code, 0) << installed.output;
    std::string office = bitnesses.size() == 2 ? "64-Bit- und 32-Bit-Office" : "64-Bit-Office";
    if (bitnesses[0].view == 0) office = "32-Bit-Office";
    EXPECT_NE(installed.output.find(office + " installiert"), std::string::npos) << installed.output;
    EXPECT_NE(installed.output.find("Excel wurde auf diesem Computer nicht gefunden"), std::string::npos);
    for (const Bitness& bitness : bitnesses) {
        const std::wstring dll = kTarget + L"\\" + bitness.name + L"\\brackwell.dll";
        EXPECT_TRUE(Bytes(dll) == Bytes(kPackage + L"\\" + bitness.name + L"\\brackwell.dll"));
        EXPECT_EQ(NavigatorDll(bitness.view), dll) << WideToUtf8(bitness.name);
    }
    for (const wchar_t* file : {L"uninstall.cmd", L"INSTALL.txt", L"mdlBrackwell.bas"})
        EXPECT_EQ(Bytes(kTarget + L"\\" + file), Bytes(kPackage + L"\\" + file)) << WideToUtf8(file);
    EXPECT_EQ(TextOf(kComAddin, L"FriendlyName"), L"Brackwell");
    EXPECT_EQ(TextOf(kComAddin, L"Description"), L"Navigationsbereich für Arbeitsmappen, Tabellenblätter und Namen");
    EXPECT_EQ(TextOf(kComAddin, L"LoadBehavior"), L"3");
    EXPECT_EQ(TextOf(kEntry, L"InstallLocation"), kTarget);
    wchar_t windows[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"SystemRoot", windows, MAX_PATH);
    const std::wstring uninstallString = TextOf(kEntry, L"UninstallString");
    EXPECT_EQ(uninstallString, L"\"" + std::wstring(windows) + L"\\System32\\cmd.exe\" /d /v:off /c \"\"" + kTarget +
                                   L"\\uninstall.cmd\"\"");
    const RegistryState first;
    for (std::size_t i = 0; i < first.parts.size(); ++i) {
        for (const std::wstring& line : RegistryDifferences(before.parts[i], first.parts[i]))
            std::printf("installed: %s\n", WideToUtf8(line).c_str());
    }

    // Installing again leaves the same keys. While Excel runs in this
    // session, or something holds an installed file open, neither script
    // changes anything.
    ASSERT_EQ(RunProgram(Script(install, L"/quiet")).code, 0);
    {
        const ExcelStandIn excel(kProfile + L"\\Programme");
        EXPECT_EQ(RunProgram(Script(install, L"/quiet")).code, 1);
        EXPECT_EQ(RunProgram(Script(kTarget + L"\\uninstall.cmd", L"/quiet")).code, 1);
    }
    {
        const KernelHandle held(::CreateFileW((kTarget + L"\\" + kOwnBitness + L"\\brackwell.dll").c_str(),
                                              GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(RunProgram(Script(kTarget + L"\\uninstall.cmd", L"/quiet")).code, 1);
    }
    ExpectSame(first, RegistryState());
    EXPECT_TRUE(Exists(kTarget + L"\\uninstall.cmd"));

    // The installed programs' list runs the uninstall string, no /quiet: all
    // goes but the settings the navigator saved, the folder with the script.
    Write(kSettings, L"Theme", L"True");
    EXPECT_EQ(RunProgram(uninstallString).code, 0);
    EXPECT_FALSE(Exists(kTarget));
    ExpectSame(before, RegistryState());
    EXPECT_EQ(TextOf(kSettings, L"Theme"), L"True");
}

TEST_F(InstallerTest, WithTheWorkbookItTakesOverAVersionBeforeAndLeavesOtherAddinsEntriesByteForByte) {
    const RegistryState before;
    // Excel 2016's list: an add-in whose name holds the same characters, a
    // Brackwell.xlam saved by hand (unticked once), and one more of another
    // type; Excel 2010's list is empty.
    const std::wstring odd = L"/R \"" + kAppData + L"\\Microsoft\\AddIns\\Zins; Tilgung (2%!) & ^Co.xlam\"";
    Write(kList, L"OPEN", odd);
    Write(kList, L"OPEN1", L"/R \"" + kProfile + L"\\Dokumente\\Brackwell.xlam\"");
    Write(kList, L"OPEN2", L"\"%ProgramFiles%\\Microsoft Office\\Library\\ANALYS32.XLL\"", REG_EXPAND_SZ);
    Write(kUnticked, kWorkbook.c_str(), L"");
    Write(kOlderList, L"Options", L"1");
    const RegistrySnapshot lists = SnapshotRegistry(HKEY_CURRENT_USER, kList);
    // A version before: one DLL in the installation's folder, registered, and
    // the workbook in the add-ins folder, which carries the mark of the web,
    // as the package's does. (Wine keeps no streams: a mark is a file named
    // like the stream, which a copy leaves behind, and so it is put there.)
    fs::create_directories(kTarget);
    fs::create_directories(Folder(kWorkbook));
    fs::copy_file(kPackage + L"\\" + kOwnBitness + L"\\brackwell.dll", kTarget + L"\\brackwell.dll");
    ASSERT_EQ(RunProgram(L"regsvr32.exe /s /n /i:user \"" + kTarget + L"\\brackwell.dll\"").code, 0);
    fs::copy_file(kPackage + L"\\Brackwell.xlam", kWorkbook);
    for (const std::wstring& file : {kWorkbook, kPackage + L"\\Brackwell.xlam"})
        std::ofstream(fs::path(file + L":Zone.Identifier")) << "[ZoneTransfer]\r\nZoneId=3\r\n";

    ASSERT_EQ(RunProgram(Script(install, L"/vba /quiet")).code, 0);
    const std::wstring own = L"/R \"" + kWorkbook + L"\"";
    RegistrySnapshot now = SnapshotRegistry(HKEY_CURRENT_USER, kList);
    EXPECT_EQ(now[L"\\@OPEN"], lists.at(L"\\@OPEN"));
    EXPECT_EQ(TextOf(kList, L"OPEN1"), own);
    EXPECT_EQ(now[L"\\@OPEN2"], lists.at(L"\\@OPEN2"));
    EXPECT_EQ(TextOf(kOlderList, L"OPEN"), own);
    EXPECT_EQ(TextOf(kUnticked, kWorkbook.c_str()), L"(missing)");
    EXPECT_TRUE(Bytes(kWorkbook) == Bytes(kPackage + L"\\Brackwell.xlam"));
    EXPECT_FALSE(Exists(kWorkbook + L":Zone.Identifier"));
    EXPECT_EQ(TextOf(kComAddin, L"FriendlyName"), L"Brackwell");
    EXPECT_FALSE(Exists(kTarget + L"\\brackwell.dll"));
    EXPECT_EQ(NavigatorDll(0), kTarget + L"\\" + kOwnBitness + L"\\brackwell.dll");

    // Without /vba the workbook leaves its folder and the lists, the entries
    // after it moving down by one as they were.
    ASSERT_EQ(RunProgram(Script(install, L"/quiet")).code, 0);
    now = SnapshotRegistry(HKEY_CURRENT_USER, kList);
    EXPECT_EQ(now[L"\\@OPEN"], lists.at(L"\\@OPEN"));
    EXPECT_EQ(now[L"\\@OPEN1"], lists.at(L"\\@OPEN2"));
    EXPECT_EQ(now.count(L"\\@OPEN2"), 0u);
    EXPECT_EQ(TextOf(kOlderList, L"OPEN"), L"(missing)");
    EXPECT_FALSE(Exists(kWorkbook));

    // The package's uninstaller, asked to, takes the settings as well.
    Write(kSettings, L"Theme", L"True");
    ASSERT_EQ(RunProgram(Script(kPackage + L"\\uninstall.cmd", L"/settings /quiet")).code, 0);
    EXPECT_FALSE(Exists(kTarget));
    EXPECT_EQ(TextOf(kSettings, L"Theme"), L"(missing)");
    ExpectSame(before, RegistryState(), false);
}

}  // namespace
}  // namespace brackwell::win::test
