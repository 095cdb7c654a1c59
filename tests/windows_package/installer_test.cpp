// The release package's installer and uninstaller, run by the system's cmd
// as a user runs them, on the package this build stages (the DLL of its own
// bitness only): the Office bitness decides the DLL; the installation copies
// and registers it for the user and lists it among the installed programs; the uninstaller,
// run from there or from the package, leaves the registry as it found it and
// removes every file, the settings only when asked.

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

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

constexpr wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office";
constexpr wchar_t kOutlookKey[] = L"Software\\Microsoft\\Office\\16.0\\Outlook";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kEntryKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brackwell";
constexpr wchar_t kSettingsRoot[] = L"Software\\VB and VBA Program Settings";
constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Brackwell\\Settings";
constexpr DWORD kScriptDeadlineMs = 120000;
// This build's bitness, whose DLL its package has, and the other one.
constexpr const wchar_t* kOwnBitness = sizeof(void*) == 8 ? L"x64" : L"x86";
constexpr const wchar_t* kOtherBitness = sizeof(void*) == 8 ? L"x86" : L"x64";

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// The package staged by this build, found from the test program's place.
std::wstring PackageFolder() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring relative = BRACKWELL_PACKAGE_FROM_TEST;
    for (wchar_t& c : relative) c = c == L'/' ? L'\\' : c;
    const std::wstring joined = Folder(self) + L"\\" + relative;
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(joined.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::wstring InstallFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) folder = path;
    ::CoTaskMemFree(path);
    return folder + L"\\Brackwell";
}

// `command` run by cmd /c, as a double-click or the installed programs' list
// runs it; its exit code, or -1 when it did not end in time.
int RunCmd(const std::wstring& command) {
    std::wstring line = L"cmd.exe /c \"" + command + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, kScriptDeadlineMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool KeyExists(HKEY root, const std::wstring& path) {
    RegistryKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

void WriteText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring TextOf(HKEY root, const std::wstring& path, const wchar_t* name) {
    std::wstring text;
    return ReadRegistryText(root, path, name, text) ? text : L"(missing)";
}

// Every place the package touches: the user's classes, the machine's (where
// Wine puts a type library registered for the user), the installed programs
// and the settings.
struct RegistryState {
    RegistrySnapshot userClasses = SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes");
    RegistrySnapshot machineClasses = SnapshotRegistry(HKEY_LOCAL_MACHINE, L"Software\\Classes");
    RegistrySnapshot programs = SnapshotRegistry(HKEY_CURRENT_USER, kUninstallKey);
    RegistrySnapshot settings = SnapshotRegistry(HKEY_CURRENT_USER, kSettingsRoot);
};

void ExpectSame(const RegistryState& before, const RegistryState& after, bool settingsToo) {
    const std::vector<std::wstring> none;
    EXPECT_EQ(RegistryDifferences(before.userClasses, after.userClasses), none);
    EXPECT_EQ(RegistryDifferences(before.machineClasses, after.machineClasses), none);
    EXPECT_EQ(RegistryDifferences(before.programs, after.programs), none);
    if (settingsToo) {
        EXPECT_EQ(RegistryDifferences(before.settings, after.settings), none);
    }
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(package + L"\\install.cmd")) << "no package staged at " << WideToUtf8(package);
        officeWasThere = KeyExists(HKEY_LOCAL_MACHINE, kOfficeKey);
        // Keys that Windows has and a fresh Wine prefix may lack; a first
        // installation would make them, so they are made beforehand.
        EnsureUserClassesKey();
        for (const wchar_t* parent : {kUninstallKey, kSettingsRoot}) {
            RegistryKey key;
            RegCreateKeyExW(HKEY_CURRENT_USER, parent, 0, nullptr, 0, KEY_READ, nullptr, key.Receive(), nullptr);
        }
    }
    void TearDown() override {
        if (!officeWasThere) RegDeleteTreeW(HKEY_LOCAL_MACHINE, kOfficeKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brackwell");
    }

    const std::wstring package = PackageFolder();
    const std::wstring target = InstallFolder();
    bool officeWasThere = false;
};

TEST_F(InstallerTest, InstallsTheDllForTheOfficeBitnessAndTheUninstallerRemovesEverythingAgain) {
    const RegistryState before;
    const std::wstring install = L"\"" + package + L"\\install.cmd\"";

    // Office of the other bitness: its DLL, which this build's package
    // lacks, so the installer stops before it changes anything.
    WriteText(HKEY_LOCAL_MACHINE, kOutlookKey, L"Bitness", kOtherBitness);
    EXPECT_EQ(RunCmd(install), 1);
    EXPECT_FALSE(Exists(target));
    ExpectSame(before, RegistryState(), true);

    // Office of this build's bitness: installed and registered for the user.
    WriteText(HKEY_LOCAL_MACHINE, kOutlookKey, L"Bitness", kOwnBitness);
    ASSERT_EQ(RunCmd(install), 0);
    const std::wstring dll = target + L"\\brackwell.dll";
    EXPECT_EQ(Bytes(dll), Bytes(package + L"\\" + kOwnBitness + L"\\brackwell.dll"));
    for (const wchar_t* file : {L"mdlBrackwell.bas", L"uninstall.cmd", L"INSTALL.txt"}) {
        EXPECT_TRUE(Exists(target + L"\\" + file)) << WideToUtf8(file);
    }
    const std::wstring clsid = TextOf(HKEY_CURRENT_USER, L"Software\\Classes\\Brackwell.Wayfinder\\CLSID", nullptr);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID\\" + clsid + L"\\InprocServer32", nullptr), dll);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kEntryKey, L"DisplayName"), L"Brackwell");
    const std::wstring uninstallString = TextOf(HKEY_CURRENT_USER, kEntryKey, L"UninstallString");
    EXPECT_EQ(uninstallString, L"\"" + target + L"\\uninstall.cmd\"");

    // Installing again replaces the installation and leaves the same keys.
    const RegistryState installed;
    ASSERT_EQ(RunCmd(install + L" " + kOwnBitness), 0);
    ExpectSame(installed, RegistryState(), true);

    // The installed programs' list runs the installed copy: the settings the
    // navigator saved stay, all else goes, the folder with the script too.
    WriteText(HKEY_CURRENT_USER, kSettingsKey, L"Theme", L"True");
    EXPECT_EQ(RunCmd(uninstallString), 0);
    EXPECT_FALSE(Exists(target));
    ExpectSame(before, RegistryState(), false);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kSettingsKey, L"Theme"), L"True");

    // The package's uninstaller, asked to, takes the settings as well.
    ASSERT_EQ(RunCmd(install), 0);
    EXPECT_EQ(RunCmd(L"\"" + package + L"\\uninstall.cmd\" /settings"), 0);
    EXPECT_FALSE(Exists(target));
    ExpectSame(before, RegistryState(), true);
}

// The add-in: Excel's lists of add-ins to open at start (one per Excel
// version), the add-in's copy in the user's add-ins folder, and Excel
// running meanwhile, played by a file held open as Excel holds the add-in.
constexpr wchar_t kListKey[] = L"Software\\Microsoft\\Office\\16.0\\Excel\\Options";
constexpr wchar_t kOlderListKey[] = L"Software\\Microsoft\\Office\\14.0\\Excel\\Options";
constexpr wchar_t kUntickedKey[] = L"Software\\Microsoft\\Office\\16.0\\Excel\\Add-in Manager";
constexpr wchar_t kSolver[] = L"/R \"C:\\Program Files (x86)\\Solver & Co\\SOLVER.XLAM\"";
constexpr wchar_t kAnalysis[] = L"/R \"C:\\Program Files (x86)\\Microsoft Office\\Library\\ANALYS32.XLL\"";

// Opened as Excel keeps the add-in open while it runs: nobody may write.
KernelHandle HoldOpen(const std::wstring& path) {
    return KernelHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

class AddinInstallerTest : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        PWSTR path = nullptr;
        if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path))) addins = path;
        ::CoTaskMemFree(path);
        addins += L"\\Microsoft\\AddIns";
        addin = addins + L"\\Brackwell.xlam";
        officeOfUser = KeyExists(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
    }
    void TearDown() override {
        if (!officeOfUser) RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
        ::DeleteFileW((addin + L":Zone.Identifier").c_str());
        InstallerTest::TearDown();
    }

    std::wstring addins;
    std::wstring addin;
    bool officeOfUser = false;
};

TEST_F(AddinInstallerTest, ExcelOpensTheAddinAtStartAndTheUninstallerTakesItOffItsListAgain) {
    // Excel 2016 with two add-ins and a Brackwell.xlam saved by hand between
    // them, unticked once; Excel 2010 with none.
    WriteText(HKEY_CURRENT_USER, kListKey, L"OPEN", kSolver);
    WriteText(HKEY_CURRENT_USER, kListKey, L"OPEN1", L"/R \"C:\\Users\\Ich\\Brackwell.xlam\"");
    WriteText(HKEY_CURRENT_USER, kListKey, L"OPEN2", kAnalysis);
    WriteText(HKEY_CURRENT_USER, kListKey, L"Options", L"1");
    WriteText(HKEY_CURRENT_USER, kUntickedKey, addin.c_str(), L"");
    WriteText(HKEY_CURRENT_USER, kOlderListKey, L"Options", L"1");
    // Unpacked from a download: the mark of the web, which this file system
    // keeps as a file beside the add-in.
    ::SHCreateDirectoryExW(nullptr, addins.c_str(), nullptr);
    std::ofstream(std::filesystem::path(addin + L":Zone.Identifier")) << "[ZoneTransfer]\r\nZoneId=3\r\n";

    const std::wstring bitness = sizeof(void*) == 8 ? L"x64" : L"x86";
    const std::wstring install = L"\"" + package + L"\\install.cmd\" " + bitness;
    const std::wstring own = L"/R \"" + addin + L"\"";
    ASSERT_EQ(RunCmd(install), 0);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN"), kSolver);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN1"), own);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN2"), kAnalysis);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN3"), L"(missing)");
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kOlderListKey, L"OPEN"), own);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kUntickedKey, addin.c_str()), L"(missing)");
    EXPECT_EQ(Bytes(addin), Bytes(package + L"\\Brackwell.xlam"));
    EXPECT_EQ(Bytes(addin + L":Zone.Identifier").find("ZoneId"), std::string::npos);

    // Excel running: the installer and the uninstaller change nothing, and
    // once it is closed they finish. Installing again keeps the entry.
    const std::vector<std::wstring> none;
    const RegistrySnapshot lists = SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
    const RegistrySnapshot programs = SnapshotRegistry(HKEY_CURRENT_USER, kUninstallKey);
    const auto expectInstalled = [&] {
        EXPECT_EQ(RegistryDifferences(lists, SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office")), none);
        EXPECT_EQ(RegistryDifferences(programs, SnapshotRegistry(HKEY_CURRENT_USER, kUninstallKey)), none);
        EXPECT_TRUE(Exists(addin));
        EXPECT_TRUE(Exists(target + L"\\brackwell.dll"));
    };
    {
        const KernelHandle excel = HoldOpen(addin);
        ASSERT_NE(excel.Get(), INVALID_HANDLE_VALUE);
        EXPECT_EQ(RunCmd(install), 1);
        expectInstalled();
        EXPECT_EQ(RunCmd(L"\"" + target + L"\\uninstall.cmd\""), 1);
        expectInstalled();
    }
    ASSERT_EQ(RunCmd(install), 0);
    expectInstalled();

    // The uninstaller takes the entry off every list, the later ones moving
    // down by one, and the add-in out of the folder.
    ASSERT_EQ(RunCmd(L"\"" + package + L"\\uninstall.cmd\""), 0);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN"), kSolver);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN1"), kAnalysis);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"OPEN2"), L"(missing)");
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kListKey, L"Options"), L"1");
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kOlderListKey, L"OPEN"), L"(missing)");
    EXPECT_FALSE(Exists(addin));
    EXPECT_FALSE(Exists(target));
}

}  // namespace
}  // namespace brackwell::win::test
