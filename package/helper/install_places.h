#pragma once
// Where the package's scripts install, taken from the environment variables
// they read themselves, so that the helper and the scripts always mean the
// same folders: the installation %LOCALAPPDATA%\Brackwell and the add-in
// workbook %APPDATA%\Microsoft\AddIns\Brackwell.xlam.

#include <string>
#include <vector>

namespace brackwell::package {

// Empty when the variable is not set.
std::wstring InstallFolder();
std::wstring AddinWorkbook();

// Every file below `folder`, those of its subfolders included.
std::vector<std::wstring> FilesBelow(const std::wstring& folder);

// Whether two paths name the same file, as Windows compares names.
bool SamePath(const std::wstring& a, const std::wstring& b);

}  // namespace brackwell::package
