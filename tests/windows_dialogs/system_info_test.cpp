// StartSysInfo against values this test writes into the registry of its
// private Wine prefix, with a stand-in program that leaves a mark when
// started, and the real message box when nothing usable is registered.

#include <gtest/gtest.h>

#include "adapters/windows/settings/registry_key.h"
#include "dialogs/frm_about.h"
#include "tests/windows_dialogs/dialog_test_support.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kFirstKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kSecondKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kMessage[] = L"Brackwell: Systeminformationen sind momentan nicht verfügbar";

void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    RegistryKey opened;
    ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, opened.Receive(), nullptr);
    ASSERT_EQ(::RegSetValueExW(opened.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

std::wstring Here() {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

class SystemInfo : public ::testing::Test {
protected:
    SystemInfo() {
        ::CreateDirectoryW(tools_.c_str(), nullptr);
        Clean();
    }
    ~SystemInfo() override { Clean(); }

    void Clean() {
        RegistryKey first;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFirstKey, 0, KEY_ALL_ACCESS, first.Receive()) == ERROR_SUCCESS)
            ::RegDeleteValueW(first.Get(), L"PATH");
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSecondKey);
        for (const std::wstring& file : {Msinfo(), Msinfo() + L".ran"}) ::DeleteFileW(file.c_str());
    }

    std::wstring Msinfo() const { return tools_ + L"\\MSINFO32.EXE"; }

    // Runs StartSysInfo; what the user then sees: the program's mark, or
    // the message box, which is read and closed.
    std::wstring Start(const std::wstring& mark) {
        std::wstring seen;
        {
            DialogUserThread user([&](DialogUserThread& u) {
                HWND box = nullptr;
                u.WaitUntil([&] {
                    if (::GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES) {
                        seen = L"started";
                        return true;
                    }
                    box = ::FindWindowW(L"#32770", nullptr);
                    return box && ::IsWindowVisible(box);
                });
                if (!seen.empty() || !box) return;
                seen = TextOf(box) + L": " + TextOf(::GetDlgItem(box, 0xFFFF));
                u.ClickUntilClosed(::GetDlgItem(box, IDOK), box);
            });
            StartSysInfo(scene_.component);
        }
        return seen;
    }

    DialogScene scene_;
    // Beside the test program, in the folder the tests run in.
    const std::wstring probe_ = Here() + L"\\sysinfo_probe.exe", tools_ = Here() + L"\\shared_tools";
};

// Which location wins and when is the native test's (tests/dialogs); here
// the real registry, file system, program start and message box.
TEST_F(SystemInfo, StartsWhatTheRegistryNamesOrSaysItIsNotAvailable) {
    const std::wstring mark = Msinfo() + L".ran";
    EXPECT_EQ(Start(mark), kMessage) << "nothing registered";
    SetText(kSecondKey, L"MSINFO", tools_);
    ASSERT_TRUE(::CopyFileW(probe_.c_str(), Msinfo().c_str(), FALSE));
    SetText(kFirstKey, L"PATH", std::wstring(600, L'x'));  // 1202 bytes: more than the buffer holds
    EXPECT_EQ(Start(mark), L"started");
}

}  // namespace
}  // namespace brackwell::win::test
