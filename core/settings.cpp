#include "core/settings.h"

#include <string>

#include "core/vb_conversions.h"
#include "host/automation_error.h"

namespace brackwell {
namespace {

std::string Read(SettingsStore& store, const char* key, const std::string& defaultText) {
    return store.GetSetting(kSettingsApp, kSettingsSection, key, defaultText);
}

[[noreturn]] void Unconvertible(const char* key, const std::string& text, const char* expected) {
    Raise(err::kTypeMismatch, StandardDescription(err::kTypeMismatch) + ": Einstellung \"" + key +
                                  "\" enthält \"" + text + "\" (erwartet: " + expected + ")");
}

bool ReadBool(SettingsStore& store, const char* key, bool defaultValue) {
    std::string text = Read(store, key, BoolToText(defaultValue));
    if (auto value = TextToBool(text)) return *value;
    Unconvertible(key, text, "True oder False");
}

std::int32_t ReadLong(SettingsStore& store, const char* key, std::int32_t defaultValue) {
    std::string text = Read(store, key, std::to_string(defaultValue));
    if (auto value = TextToLong(text)) return *value;
    Unconvertible(key, text, "eine ganze Zahl");
}

// Colours are kept as VB Longs: a value above 0x7FFFFFFF (a system colour)
// is stored as its negative 32-bit reading.
Color ReadColor(SettingsStore& store, const char* key, Color defaultValue) {
    return static_cast<Color>(ReadLong(store, key, static_cast<std::int32_t>(defaultValue)));
}

std::string ColorText(Color color) { return std::to_string(static_cast<std::int32_t>(color)); }

}  // namespace

Settings LoadSettings(SettingsStore& store) {
    const Settings defaults;
    Settings s;
    s.Theme = ReadBool(store, "Theme", defaults.Theme);
    s.MapExpand = ReadBool(store, "MapExpand", defaults.MapExpand);
    s.Drag = ReadLong(store, "Drag", defaults.Drag);
    s.WBFore = ReadColor(store, "WBFore", defaults.WBFore);
    s.SHFore = ReadColor(store, "SHFore", defaults.SHFore);
    s.NameFore = ReadColor(store, "NameFore", defaults.NameFore);
    s.SetForeReg = ReadBool(store, "SetForeReg", defaults.SetForeReg);
    return s;
}

void SaveSettings(SettingsStore& store, const Settings& s) {
    auto write = [&](const char* key, const std::string& value) {
        store.SaveSetting(kSettingsApp, kSettingsSection, key, value);
    };
    write("Theme", BoolToText(s.Theme));
    write("Drag", std::to_string(s.Drag));
    write("MapExpand", BoolToText(s.MapExpand));
    write("WBFore", ColorText(s.WBFore));
    write("SHFore", ColorText(s.SHFore));
    write("NameFore", ColorText(s.NameFore));
    write("SetForeReg", BoolToText(s.SetForeReg));
}

bool LoadPaneVisible(SettingsStore& store) { return ReadBool(store, "PaneVisible", true); }

void SavePaneVisible(SettingsStore& store, bool visible) {
    store.SaveSetting(kSettingsApp, kSettingsSection, "PaneVisible", BoolToText(visible));
}

}  // namespace brackwell
