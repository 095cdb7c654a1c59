#pragma once
// The user's seven preferences and how they are read from and written to the
// per-user settings store (application "Brackwell", section "Settings").

#include <cstdint>

#include "host/color.h"
#include "host/platform.h"

namespace brackwell {

struct Settings {
    bool Theme = true;         // toolbars in visual style 3 (True) or 2
    bool MapExpand = false;    // inactive workbooks shown expanded
    std::int32_t Drag = 1;     // drop behaviour: 1 ask, 2 copy, 3 move
    Color WBFore = 0;          // text colour of workbook nodes
    Color SHFore = 0;          // text colour of worksheet nodes
    Color NameFore = 0;        // text colour of defined-name nodes
    bool SetForeReg = false;   // worksheet nodes take their tab colour
};

inline constexpr const char* kSettingsApp = "Brackwell";
inline constexpr const char* kSettingsSection = "Settings";

// Reads the seven keys; an absent key gives its default. A stored text that
// cannot be converted fails with error 13 whose description names the key.
Settings LoadSettings(SettingsStore& store);

// Writes all seven keys, in the order the options dialog has always used.
void SaveSettings(SettingsStore& store, const Settings& settings);

// Whether the user wants the pane shown in Excel 2007 and later, where it
// lives in a task pane the user can close ("PaneVisible", True when absent).
// Kept beside the seven keys, not among them: the options dialog does not
// show it, the ribbon's toggle and the task pane's close box set it.
bool LoadPaneVisible(SettingsStore& store);
void SavePaneVisible(SettingsStore& store, bool visible);

}  // namespace brackwell
