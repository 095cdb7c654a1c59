// The registry store: where VB's GetSetting and SaveSetting keep values.

#include <gtest/gtest.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/settings/registry_key.h"
#include "adapters/windows/settings/registry_settings_store.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::win::test {
namespace {

class RegistrySettings : public ::testing::Test {
protected:
    // An application name of this run's own, removed afterwards.
    const std::string app = "BrackwellTest" + std::to_string(GetCurrentProcessId());
    const std::wstring appKey = L"Software\\VB and VBA Program Settings\\" + Utf8ToWide(app);

    ~RegistrySettings() override { RegDeleteTreeW(HKEY_CURRENT_USER, appKey.c_str()); }

    void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        RegistryKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (appKey + L"\\Settings").c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, key.Receive(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    RegistrySettingsStore store;
};

TEST_F(RegistrySettings, UnicodeValuesRoundTripAsTextAndWhatIsAbsentGivesTheDefault) {
    EXPECT_EQ(store.GetSetting(app, "Settings", "Drag", "1"), "1");
    store.SaveSetting(app, "Settings", "Theme", "1");
    store.SaveSetting(app, "Settings", "Zuletzt", "Übersicht 売上 😀");
    EXPECT_EQ(store.GetSetting(app, "Settings", "Theme", "0"), "1");
    EXPECT_EQ(store.GetSetting(app, "Settings", "Zuletzt", ""), "Übersicht 売上 😀");
    EXPECT_EQ(store.GetSetting(app, "Settings", "Drag", "2"), "2");
    EXPECT_EQ(store.GetSetting(app, "Andere", "Theme", "3"), "3");
    store.SaveSetting(app, "Settings", "Theme", "");
    EXPECT_EQ(store.GetSetting(app, "Settings", "Theme", "0"), "");

    // Stored where VB's GetSetting reads it: a REG_SZ under the application's section.
    RegistryKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (appKey + L"\\Settings").c_str(), 0, KEY_QUERY_VALUE, key.Receive()),
              ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key.Get(), L"Zuletzt", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrySettings, TextWithoutTerminatorIsReadWholeANumberIsATypeMismatchNamingTheKeyAndEmptyNamesAreInvalidCalls) {
    const wchar_t text[] = {L'r', L'o', L't'};
    WriteRaw(L"WBFore", REG_SZ, text, sizeof(text));
    EXPECT_EQ(store.GetSetting(app, "Settings", "WBFore", ""), "rot");

    const DWORD number = 1;
    WriteRaw(L"MapExpand", REG_DWORD, &number, sizeof(number));
    const AutomationError error = ErrorOf([&] { store.GetSetting(app, "Settings", "MapExpand", "0"); });
    EXPECT_EQ(error.Number(), err::kTypeMismatch);
    EXPECT_NE(error.Description().find(app + "\\Settings"), std::string::npos) << error.Description();
    EXPECT_NE(error.Description().find("MapExpand"), std::string::npos) << error.Description();

    EXPECT_EQ(ErrorOf([&] { store.SaveSetting("", "Settings", "Theme", "1"); }).Number(), err::kInvalidCall);
    EXPECT_EQ(ErrorOf([&] { store.GetSetting(app, "Settings", "", "1"); }).Number(), err::kInvalidCall);
}

}  // namespace
}  // namespace brackwell::win::test
