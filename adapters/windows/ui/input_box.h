#pragma once
// VB's InputBox as a Win32 dialog built in memory: the prompt at the top
// left, OK and "Abbrechen" on the right, the edit field at the bottom with
// the default text selected.

#include <windows.h>

#include <optional>
#include <string>

namespace brackwell::win {

// Control ids, so that a test or an accessibility tool can find the parts.
inline constexpr int kInputBoxEditId = 100;
inline constexpr int kInputBoxPromptId = 101;

// Shows the dialog modally, owned by `owner`. The typed text on OK; nothing
// when cancelled or when the dialog could not be created.
std::optional<std::wstring> ShowInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                                         const std::wstring& title, const std::wstring& defaultText);

}  // namespace brackwell::win
