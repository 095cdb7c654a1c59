// StartSysInfo against values this test writes into the registry of its
// private Wine prefix, with a stand-in program that leaves a mark when
// started; and GetKeyValue over the real registry.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/settings/registry_key.h"
#include "adapters/windows/system/win_registry.h"
#include "dialogs/frm_about.h"
#include "tests/windows_dialogs/dialog_scene.h"
#include "tests/windows_dialogs/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kFirstKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kSecondKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits, up to the deadline, for a started program's mark.
bool MarkAppears(const std::wstring& path) {
    const auto deadline = std::chrono::steady_clock::now() + DialogUserThread::kDeadline;
    while (!Exists(path)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void SetValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    RegistryKey opened;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, opened.Receive(),
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(opened.Get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    SetValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class SystemInfo : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = ProgramFolder();
        probe_ = folder_ + L"\\sysinfo_probe.exe";
        tools_ = folder_ + L"\\shared_tools";
        ::CreateDirectoryW(tools_.c_str(), nullptr);
        Clean();
    }
    void TearDown() override { Clean(); }

    void Clean() {
        RegistryKey first;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFirstKey, 0, KEY_ALL_ACCESS, first.Receive()) == ERROR_SUCCESS)
            ::RegDeleteValueW(first.Get(), L"PATH");
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSecondKey);
        for (const std::wstring& file : {probe_ + L".ran", SecondProgram(), SecondProgram() + L".ran"})
            ::DeleteFileW(file.c_str());
    }

    std::wstring SecondProgram() const { return tools_ + L"\\MSINFO32.EXE"; }
    void InstallSecondProgram() { ASSERT_TRUE(::CopyFileW(probe_.c_str(), SecondProgram().c_str(), FALSE)); }

    // Runs StartSysInfo; the message it shows, if any, is read and closed.
    std::wstring Start(bool expectMessage) {
        std::wstring said;
        if (!expectMessage) {
            StartSysInfo(scene_.component);
            return said;
        }
        DialogUserThread user([&](DialogUserThread& u) {
            HWND box = u.WaitForWindow(L"#32770");
            if (!box) return;
            said = TextOf(box) + L": " + TextOf(::GetDlgItem(box, 0xFFFF));
            u.Click(::GetDlgItem(box, IDOK));
            u.WaitUntilGone(box);
        });
        StartSysInfo(scene_.component);
        return said;
    }

    DialogScene scene_;
    std::wstring folder_, probe_, tools_;
};

constexpr wchar_t kMessage[] = L"Brackwell: Systeminformationen sind momentan nicht verfügbar";

TEST_F(SystemInfo, StartsTheProgramTheFirstLocationNames) {
    SetText(kFirstKey, L"PATH", probe_);
    SetText(kSecondKey, L"MSINFO", tools_);
    InstallSecondProgram();
    EXPECT_EQ(Start(false), L"");
    EXPECT_TRUE(MarkAppears(probe_ + L".ran"));
    EXPECT_FALSE(Exists(SecondProgram() + L".ran")) << "the second location is not consulted";
}

TEST_F(SystemInfo, StartsMsinfo32FromTheSecondLocationOnlyWhenItIsThere) {
    SetText(kSecondKey, L"MSINFO", tools_);
    EXPECT_EQ(Start(true), kMessage);
    InstallSecondProgram();
    EXPECT_EQ(Start(false), L"");
    EXPECT_TRUE(MarkAppears(SecondProgram() + L".ran"));
}

TEST_F(SystemInfo, SaysItIsNotAvailableWhenNothingUsableIsRegistered) {
    EXPECT_EQ(Start(true), kMessage);  // neither location
    SetText(kFirstKey, L"PATH", std::wstring(600, L'x'));  // 1202 bytes: more than the buffer holds
    EXPECT_EQ(Start(true), kMessage);
    const BYTE binary[] = {1, 2, 3};
    SetValue(kFirstKey, L"PATH", REG_BINARY, binary, sizeof(binary));  // read, but names no program
    EXPECT_EQ(Start(true), kMessage);
}

TEST_F(SystemInfo, GetKeyValueReadsTheRealRegistry) {
    SetText(kSecondKey, L"MSINFO", L"C:\\Übersicht\\\u58F2\u4E0A");
    const DWORD number = 4000000000u;
    SetValue(kSecondKey, L"Zahl", REG_DWORD, &number, sizeof(number));
    WinRegistry registry;
    std::string value = "vorher";
    EXPECT_TRUE(GetKeyValue(registry, reg::kLocalMachine, WideToUtf8(kSecondKey), "MSINFO", value));
    EXPECT_EQ(value, "C:\\Übersicht\\売上");
    EXPECT_TRUE(GetKeyValue(registry, reg::kLocalMachine, WideToUtf8(kSecondKey), "Zahl", value));
    EXPECT_EQ(value, "4000000000");
    EXPECT_FALSE(GetKeyValue(registry, reg::kLocalMachine, WideToUtf8(kSecondKey), "Fehlt", value));
    EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace brackwell::win::test
