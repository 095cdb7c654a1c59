// The release package's installer and uninstaller, run by the system's cmd
// as a user runs them, on the package this build stages (64-bit only): the
// Office bitness decides the DLL; the installation copies and registers it
// for the user and lists it among the installed programs; the uninstaller,
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

    // 32-bit Office: the x86 DLL, which this build's package lacks, so the
    // installer stops before it changes anything.
    WriteText(HKEY_LOCAL_MACHINE, kOutlookKey, L"Bitness", L"x86");
    EXPECT_EQ(RunCmd(install), 1);
    EXPECT_FALSE(Exists(target));
    ExpectSame(before, RegistryState(), true);

    // 64-bit Office: installed and registered for the user.
    WriteText(HKEY_LOCAL_MACHINE, kOutlookKey, L"Bitness", L"x64");
    ASSERT_EQ(RunCmd(install), 0);
    const std::wstring dll = target + L"\\brackwell.dll";
    EXPECT_EQ(Bytes(dll), Bytes(package + L"\\x64\\brackwell.dll"));
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
    ASSERT_EQ(RunCmd(install + L" x64"), 0);
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

}  // namespace
}  // namespace brackwell::win::test
