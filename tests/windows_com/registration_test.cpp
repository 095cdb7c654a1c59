// Registration of brackwell.dll for the current user: what it writes (the
// navigator, the COM add-in and its task pane control), and that
// unregistering leaves the registry exactly as it was.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/settings/registry_key.h"
#include "tests/windows_com/registry_snapshot.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {
namespace {

const std::wstring kUserClasses = L"Software\\Classes";

std::wstring UserClass(const std::wstring& path) { return kUserClasses + L"\\" + path; }

std::wstring UserClassText(const std::wstring& path, const wchar_t* name = nullptr) {
    std::wstring text;
    return ReadRegistryText(HKEY_CURRENT_USER, UserClass(path), name, text) ? text : L"(missing)";
}

bool UserClassKeyExists(const std::wstring& path) {
    RegistryKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, UserClass(path).c_str(), 0, KEY_READ, key.Receive()) ==
           ERROR_SUCCESS;
}

std::wstring Text(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

GUID LibraryIdOfTheDll() {
    ComPtr<ITypeLib> library = ServerDll::Get().TypeLibrary();
    GUID id{};
    TLIBATTR* attributes = nullptr;
    if (library && library->GetLibAttr(&attributes) == S_OK) {
        id = attributes->guid;
        library->ReleaseTLibAttr(attributes);
    }
    return id;
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

TEST(Registration, WritesTheClassesTheirProgIdsAndTheTypeLibraryForTheUserAndTakesOnlyThemAway) {
    ServerDll& dll = ServerDll::Get();
    // Another program's class beside ours.
    const std::wstring other = L"CLSID\\{0B5D3A52-3C1E-4E5B-9C2F-7A41D0E6B301}";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, UserClass(other + L"\\InprocServer32").c_str(), nullptr,
                              REG_SZ, L"other.dll", sizeof(L"other.dll")),
              ERROR_SUCCESS);
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

    // The COM add-in and its task pane control, each by its ProgID; the
    // control marked as one, with its OLEMISC bits for every aspect.
    for (const std::wstring progId : {L"Brackwell.Connect", L"Brackwell.PaneHost"}) {
        const std::wstring id = UserClassText(progId + L"\\CLSID");
        EXPECT_EQ(UserClassText(progId + L".1\\CLSID"), id);
        EXPECT_EQ(UserClassText(L"CLSID\\" + id + L"\\InprocServer32"), dll.Path());
        EXPECT_EQ(UserClassText(L"CLSID\\" + id + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    }
    EXPECT_EQ(UserClassText(L"Brackwell.Connect\\CLSID"), L"{6DD89808-676C-4820-BA25-6FC7843D3DDA}");
    const std::wstring control = L"CLSID\\" + UserClassText(L"Brackwell.PaneHost\\CLSID");
    EXPECT_EQ(control, L"CLSID\\{E523D54C-6F7B-45C6-BBA6-5D877377D515}");
    EXPECT_TRUE(UserClassKeyExists(control + L"\\Control"));
    EXPECT_EQ(UserClassText(control + L"\\MiscStatus"), L"131473");

    // The type library is found through the registry, at the DLL itself.
    Bstr registeredPath;
    EXPECT_EQ(QueryPathOfRegTypeLib(libraryId, 1, 0, 0, registeredPath.Receive()), S_OK);
    EXPECT_EQ(std::wstring(registeredPath.View()), dll.Path());

    // Unregistering removes only its own keys and may be repeated; no machine
    // install is done. (regsvr32 /n /i:user, through DllInstall, is the
    // installer's round trip and the demo's smoke run's.)
    ASSERT_EQ(dll.DllUnregisterServer(), S_OK);
    EXPECT_EQ(dll.DllUnregisterServer(), S_OK);
    EXPECT_EQ(dll.DllInstall(TRUE, L"machine"), E_INVALIDARG);
    EXPECT_EQ(dll.DllInstall(FALSE, L"machine"), E_INVALIDARG);
    ExpectUnchanged(before);
    EXPECT_EQ(UserClassText(other + L"\\InprocServer32"), L"other.dll");
    Bstr gone;
    EXPECT_NE(QueryPathOfRegTypeLib(libraryId, 1, 0, 0, gone.Receive()), S_OK);
    RegDeleteTreeW(HKEY_CURRENT_USER, UserClass(other).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, UserClass(L"CLSID").c_str());  // only when empty
}

}  // namespace
}  // namespace brackwell::win::test
