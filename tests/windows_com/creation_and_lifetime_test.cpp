// Creating navigators (and failing to, when a stored setting is unreadable),
// and letting them go: every host reference returned, pane and command bar
// removed, and DllCanUnloadNow saying yes only when nothing is alive.

#include <gtest/gtest.h>

#include <objbase.h>

#include "adapters/windows/settings/registry_key.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Brackwell\\Settings";

// One stored setting for the length of a test; the key goes again afterwards.
class StoredSetting {
public:
    StoredSetting(const wchar_t* name, const wchar_t* value) {
        RegistryKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                        nullptr);
        RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    StoredSetting(const StoredSetting&) = delete;
    StoredSetting& operator=(const StoredSetting&) = delete;
    ~StoredSetting() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brackwell"); }
};

ULONG ReferenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TEST_F(NavigatorTest, AnUnreadableSettingMakesCreationFailNamingTheSetting) {
    StoredSetting colour(L"WBFore", L"rot");
    HRESULT hr = S_OK;
    TakeErrorInfo();
    ComPtr<IDispatch> nav = CreateNavigator(&hr);
    EXPECT_FALSE(nav);
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A000D)) << "VB error 13, type mismatch";
    const std::string description = TakeErrorInfo();
    EXPECT_NE(description.find("WBFore"), std::string::npos) << description;
    EXPECT_NE(description.find("rot"), std::string::npos) << description;
}

TEST_F(NavigatorTest, ReleasingTheNavigatorGivesBackEveryHostReference) {
    const ULONG appReferences = ReferenceCount(app.Get());
    {
        ComPtr<IDispatch> nav = CreateNavigator();
        ASSERT_TRUE(nav);
        Attach(nav.Get(), app.Get());
        ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
        ASSERT_EQ(Call(Reach({L"Workbooks"}).Get(), L"Add").hr, S_OK);
        EXPECT_EQ(Tree().size(), 8u);
        ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
        EXPECT_EQ(ServerDll::Get().DllCanUnloadNow(), S_FALSE) << "a navigator is alive";
    }
    PumpMessages();
    // The event connection held the host's connection point; it is gone too.
    EXPECT_EQ(ReferenceCount(app.Get()), appReferences);
    // Events after the navigator went reach nobody and harm nothing.
    EXPECT_EQ(Call(Reach({L"Workbooks"}).Get(), L"Add").hr, S_OK);
    // The facade objects and DllCanUnloadNow are checked after every test.
}

TEST_F(NavigatorTest, ReleasingTheNavigatorWithoutDelNavBarRemovesPaneAndBar) {
    {
        ComPtr<IDispatch> nav = CreateNavigator();
        ASSERT_TRUE(nav);
        Attach(nav.Get(), app.Get());
        ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);
        ASSERT_NE(window.PaneTree(), nullptr);
    }
    PumpMessages();
    EXPECT_EQ(window.PaneTree(), nullptr);
    EXPECT_FALSE(excel.FindCommandBar("BrackwellBar").has_value());
}

TEST_F(NavigatorTest, TheDllStaysWhileANavigatorAFactoryOrALockIsAlive) {
    ServerDll& dll = ServerDll::Get();
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Brackwell.Wayfinder", &clsid), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(dll.DllGetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "a factory is held";

    ComPtr<IDispatch> nav;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, nav.ReceiveVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "a navigator and a lock";
    nav.Reset();
    EXPECT_EQ(dll.DllCanUnloadNow(), S_FALSE) << "a lock";
    ASSERT_EQ(dll.DllGetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(dll.DllCanUnloadNow(), S_OK);

    // What the factory refuses.
    ASSERT_EQ(dll.DllGetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IUnknown> outer = app.Query<IUnknown>();
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, nav.ReceiveVoid()), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, nav.ReceiveVoid()), E_NOINTERFACE);
    factory.Reset();
    EXPECT_EQ(dll.DllGetClassObject(IID_IDispatch, IID_IClassFactory, factory.ReceiveVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace brackwell::win::test
