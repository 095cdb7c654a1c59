#pragma once
// Wine's COM looks classes up only in HKEY_LOCAL_MACHINE\Software\Classes:
// its HKEY_CLASSES_ROOT has no per-user part, so a class registered under
// HKEY_CURRENT_USER\Software\Classes, as brackwell.dll registers itself, is
// found by Windows but not by Wine. While a mirror lives, the keys of the
// given ProgIDs (and of the classes they name) are copied from the user's
// classes to the machine's, so CLSIDFromProgID and CoCreateInstance find
// them; destroying the mirror removes the copies again. On Windows it does
// nothing.

#include <string>
#include <vector>

namespace brackwell::win::test {

bool RunningUnderWine();

class MachineClassMirror {
public:
    // Copies <ProgID>, and CLSID\{clsid} for the CLSID each ProgID names.
    explicit MachineClassMirror(std::vector<std::wstring> progIds);
    MachineClassMirror(const MachineClassMirror&) = delete;
    MachineClassMirror& operator=(const MachineClassMirror&) = delete;
    ~MachineClassMirror();

private:
    std::vector<std::wstring> copied_;  // paths below Software\Classes
};

}  // namespace brackwell::win::test
