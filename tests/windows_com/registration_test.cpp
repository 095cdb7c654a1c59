// Registration of brackwell.dll for the current user: what it writes, that
// DllInstall("user") does the same, and that unregistering leaves the
// registry exactly as it was.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/settings/registry_key.h"
#include "tests/windows_com/registry_snapshot.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

std::wstring UserClassText(const std::wstring& path, const wchar_t* name = nullptr) {
    std::wstring text;
    if (!ReadRegistryText(HKEY_CURRENT_USER, std::wstring(kUserClasses) + L"\\" + path, name, text))
        return L"(missing)";
    return text;
}

bool UserClassKeyExists(const std::wstring& path) {
    RegistryKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kUserClasses) + L"\\" + path).c_str(), 0, KEY_READ,
                         key.Receive()) == ERROR_SUCCESS;
}

GUID LibraryIdOfTheDll() {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibEx(ServerDll::Get().Path().c_str(), REGKIND_NONE, library.Receive()), S_OK);
    GUID id{};
    TLIBATTR* attributes = nullptr;
    if (library && library->GetLibAttr(&attributes) == S_OK) {
        id = attributes->guid;
        library->ReleaseTLibAttr(attributes);
    }
    return id;
}

std::wstring Text(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Both places a registration could touch: the user's classes, and the
// machine's (where Wine puts a type library registered "for the user").
struct RegistryState {
    RegistrySnapshot user;
    RegistrySnapshot machine;
};

RegistryState CurrentRegistry() {
    EnsureUserClassesKey();
    return {SnapshotRegistry(HKEY_CURRENT_USER, kUserClasses), SnapshotRegistry(HKEY_LOCAL_MACHINE, kUserClasses)};
}

void ExpectUnchanged(const RegistryState& before) {
    const RegistryState after = CurrentRegistry();
    EXPECT_EQ(RegistryDifferences(before.user, after.user), std::vector<std::wstring>{});
    EXPECT_EQ(RegistryDifferences(before.machine, after.machine), std::vector<std::wstring>{});
}

TEST(Registration, WritesTheClassBothProgIdsAndTheTypeLibraryForTheUser) {
    ServerDll& dll = ServerDll::Get();
    const RegistryState before = CurrentRegistry();
    ASSERT_EQ(dll.DllRegisterServer(), S_OK);

    const std::wstring clsid = UserClassText(L"Brackwell.Wayfinder\\CLSID");
    ASSERT_EQ(clsid.size(), 38u) << clsid;
    EXPECT_EQ(UserClassText(L"Brackwell.Wayfinder\\CurVer"), L"Brackwell.Wayfinder.1");
    EXPECT_EQ(UserClassText(L"Brackwell.Wayfinder.1\\CLSID"), clsid);

    const std::wstring classKey = L"CLSID\\" + clsid;
    EXPECT_EQ(UserClassText(classKey + L"\\InprocServer32"), dll.Path());
    EXPECT_EQ(UserClassText(classKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(UserClassText(classKey + L"\\ProgID"), L"Brackwell.Wayfinder.1");
    EXPECT_EQ(UserClassText(classKey + L"\\VersionIndependentProgID"), L"Brackwell.Wayfinder");
    const GUID libraryId = LibraryIdOfTheDll();
    EXPECT_EQ(UserClassText(classKey + L"\\TypeLib"), Text(libraryId));
    EXPECT_TRUE(UserClassKeyExists(classKey + L"\\Programmable"));

    // The type library is found through the registry, at the DLL itself.
    Bstr registeredPath;
    EXPECT_EQ(QueryPathOfRegTypeLib(libraryId, 1, 0, 0, registeredPath.Receive()), S_OK);
    EXPECT_EQ(std::wstring(registeredPath.View()), dll.Path());

    ASSERT_EQ(dll.DllUnregisterServer(), S_OK);
    ExpectUnchanged(before);
    Bstr gone;
    EXPECT_NE(QueryPathOfRegTypeLib(libraryId, 1, 0, 0, gone.Receive()), S_OK);
}

TEST(Registration, DllInstallForTheUserRegistersAndRemovesTheSame) {
    ServerDll& dll = ServerDll::Get();
    const RegistryState before = CurrentRegistry();
    ASSERT_EQ(dll.DllInstall(TRUE, L"user"), S_OK);
    EXPECT_TRUE(UserClassKeyExists(L"Brackwell.Wayfinder"));
    EXPECT_TRUE(UserClassKeyExists(L"CLSID\\" + UserClassText(L"Brackwell.Wayfinder\\CLSID") + L"\\InprocServer32"));
    ASSERT_EQ(dll.DllInstall(FALSE, L"USER"), S_OK);
    ExpectUnchanged(before);
}

TEST(Registration, RefusesAnythingButAPerUserInstallAndWritesNothing) {
    ServerDll& dll = ServerDll::Get();
    const RegistryState before = CurrentRegistry();
    EXPECT_EQ(dll.DllInstall(TRUE, L"machine"), E_INVALIDARG);
    EXPECT_EQ(dll.DllInstall(FALSE, L"machine"), E_INVALIDARG);
    ExpectUnchanged(before);
}

TEST(Registration, UnregisteringRemovesOnlyItsOwnKeysAndMayBeRepeated) {
    ServerDll& dll = ServerDll::Get();
    // Another program's class beside ours.
    const std::wstring other = L"CLSID\\{0B5D3A52-3C1E-4E5B-9C2F-7A41D0E6B301}\\InprocServer32";
    {
        RegistryKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kUserClasses) + L"\\" + other).c_str(), 0,
                                  nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"other.dll"),
                       sizeof(L"other.dll"));
    }

    const RegistryState before = CurrentRegistry();
    ASSERT_EQ(dll.DllRegisterServer(), S_OK);
    ASSERT_EQ(dll.DllUnregisterServer(), S_OK);
    EXPECT_EQ(dll.DllUnregisterServer(), S_OK);  // nothing left to remove is no failure
    ExpectUnchanged(before);
    EXPECT_EQ(UserClassText(other), L"other.dll");

    RegDeleteTreeW(HKEY_CURRENT_USER,
                   (std::wstring(kUserClasses) + L"\\CLSID\\{0B5D3A52-3C1E-4E5B-9C2F-7A41D0E6B301}").c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kUserClasses) + L"\\CLSID").c_str());  // only when empty
}

}  // namespace
}  // namespace brackwell::win::test
