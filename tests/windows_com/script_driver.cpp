// Runs host_side.vbs with the system's cscript as a second, independent
// client of brackwell.dll, the way host-side VBA uses it:
//
//   1. registers brackwell.dll for the user with "regsvr32 /s /n /i:user"
//      and the script's host (brackwell_test_host.dll) with "regsvr32 /s";
//   2. runs "cscript //nologo host_side.vbs", whose PASS/FAIL lines go
//      straight to this program's output, closing (and reporting) any
//      message box the script's process shows;
//   3. unregisters both and checks that the user's and the machine's
//      classes are exactly as before.
//
// Exits with 0 only when the script passed and every step succeeded.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "adapters/windows/addin/addin_ids.h"
#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/per_user_classes.h"
#include "adapters/windows/common/utf.h"
#include "tests/windows_com/machine_class_mirror.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/registry_snapshot.h"
#include "tests/windows_com/script_host_ids.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {
namespace {

constexpr DWORD kScriptTimeout = 240000;  // milliseconds

int failures = 0;

void Report(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

// Runs a program of the system with this program's standard handles; its
// exit code, or -1 when it could not start or did not end in time.
DWORD Run(const std::wstring& commandLine, std::vector<SeenMessageBox>* boxes = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;  // CreateProcessW may write to it
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<DWORD>(-1);
    DWORD exitCode = static_cast<DWORD>(-1);
    {
        MessageBoxWatch watch(process.dwProcessId);
        if (WaitForSingleObject(process.hProcess, kScriptTimeout) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &exitCode);
        } else {
            TerminateProcess(process.hProcess, 1);
        }
        if (boxes) *boxes = watch.Seen();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// Everything the two registrations could leave under HKEY_LOCAL_MACHINE:
// the mirrored classes, and the type library Wine registers there. (The
// rest of the machine's classes is no measure: cscript registers its own
// type library there as it starts.)
RegistrySnapshot MachineTraces() {
    RegistrySnapshot traces;
    const std::wstring paths[] = {
        L"TypeLib\\" + GuidText(LIBID_Brackwell),     L"Interface\\" + GuidText(DIID__Wayfinder),
        L"CLSID\\" + GuidText(CLSID_Wayfinder),       L"CLSID\\" + GuidText(kClsidScriptHost),
        L"Brackwell.Wayfinder",                        L"Brackwell.Wayfinder.1",
        L"CLSID\\" + GuidText(addin::kClsidConnect),  L"Brackwell.Connect",
        kScriptHostVersionIndependentProgId,           kScriptHostProgId};
    for (const std::wstring& path : paths) {
        for (const auto& [entry, value] : SnapshotRegistry(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + path))
            traces[path + entry] = value;
    }
    return traces;
}

int Main(const std::wstring& scriptName) {
    const std::wstring directory = ProgramDirectory();
    const std::wstring server = directory + L"brackwell.dll";
    const std::wstring host = directory + L"brackwell_test_host.dll";
    const std::wstring script = directory + scriptName;

    EnsureUserClassesKey();
    const RegistrySnapshot userBefore = SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes");
    const RegistrySnapshot machineBefore = MachineTraces();

    Report(Run(L"regsvr32.exe /s /n /i:user " + Quoted(server)) == 0,
           "regsvr32 /n /i:user registers brackwell.dll for the user");
    Report(Run(L"regsvr32.exe /s " + Quoted(host)) == 0, "regsvr32 registers the script's host");
    std::wstring clsid;
    Report(ReadRegistryText(HKEY_CURRENT_USER, L"Software\\Classes\\Brackwell.Wayfinder\\CLSID", nullptr, clsid),
           "Brackwell.Wayfinder is a class of the user's");

    if (failures == 0) {
        const MachineClassMirror mirror({L"Brackwell.Wayfinder", L"Brackwell.Wayfinder.1", L"Brackwell.Connect",
                                         L"BrackwellTest.Host", L"BrackwellTest.Host.1"});
        std::vector<SeenMessageBox> boxes;
        const DWORD status = Run(L"cscript.exe //nologo " + Quoted(script), &boxes);
        for (const SeenMessageBox& box : boxes)
            Report(false, "no message box, but: " + WideToUtf8(box.title) + ": " + WideToUtf8(box.text));
        Report(status == 0, "host_side.vbs ends with exit code 0 (it gave " + std::to_string(status) + ")");
    }

    Report(Run(L"regsvr32.exe /s /u /n /i:user " + Quoted(server)) == 0,
           "regsvr32 /u /n /i:user unregisters brackwell.dll");
    Report(Run(L"regsvr32.exe /s /u " + Quoted(host)) == 0, "regsvr32 /u unregisters the script's host");

    const auto user = RegistryDifferences(userBefore, SnapshotRegistry(HKEY_CURRENT_USER, L"Software\\Classes"));
    for (const std::wstring& line : user) std::printf("  %s\n", WideToUtf8(line).c_str());
    Report(user.empty(), "HKEY_CURRENT_USER\\Software\\Classes is as it was before registering");
    const auto machine = RegistryDifferences(machineBefore, MachineTraces());
    for (const std::wstring& line : machine) std::printf("  %s\n", WideToUtf8(line).c_str());
    Report(machine.empty(), "no key of either class is left under HKEY_LOCAL_MACHINE\\Software\\Classes");

    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace brackwell::win::test

// The script beside this program: host_side.vbs, or the one named.
int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring script = argv && argc > 1 ? argv[1] : L"host_side.vbs";
    LocalFree(argv);
    return brackwell::win::test::Main(script);
}
