// Creating navigators (and failing to, when a stored setting is unreadable),
// and DllCanUnloadNow saying yes only when nothing is alive. (Letting a
// docked navigator go, with every host reference returned and pane and bar
// removed, is the fault sample's clean release.)

#include <gtest/gtest.h>

#include <objbase.h>

#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

TEST_F(NavigatorTest, AnUnreadableSettingMakesCreationFailNamingTheSetting) {
    const wchar_t settings[] = L"Software\\VB and VBA Program Settings\\Brackwell";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(settings) + L"\\Settings").c_str(), L"WBFore", REG_SZ,
                              L"rot", sizeof(L"rot")),
              ERROR_SUCCESS);
    HRESULT hr = S_OK;
    TakeErrorInfo();
    ComPtr<IDispatch> nav = CreateNavigator(&hr);
    const std::string description = TakeErrorInfo();
    RegDeleteTreeW(HKEY_CURRENT_USER, settings);
    EXPECT_FALSE(nav);
    EXPECT_EQ(hr, static_cast<HRESULT>(0x800A000D)) << "VB error 13, type mismatch";
    EXPECT_NE(description.find("WBFore"), std::string::npos) << description;
    EXPECT_NE(description.find("rot"), std::string::npos) << description;
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
