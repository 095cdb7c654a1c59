// The shell port on the real "WScript.Shell", and CreateLink through the
// DLL's IDispatch with a workbook passed by reference: the shortcut file on
// the desktop (a Unicode name), and what the message box said.

#include <gtest/gtest.h>

#include <shlobj.h>
#include <objidl.h>

#include <string>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/shell/win_shell.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

// The target a shortcut file points at, read back through the shell.
std::wstring ShortcutTarget(const std::wstring& link) {
    ComPtr<IShellLinkW> shortcut;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shortcut.ReceiveVoid())))
        return L"(no shell link)";
    auto file = shortcut.Query<IPersistFile>();
    if (!file || FAILED(file->Load(link.c_str(), STGM_READ))) return L"(unreadable)";
    wchar_t target[MAX_PATH] = {};
    shortcut->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    return target;
}

// A real, saved workbook file to point shortcuts at, in the temporary folder.
struct SavedWorkbookFile {
    explicit SavedWorkbookFile(const wchar_t* name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = temp;
        folder.pop_back();  // the trailing backslash
        path = folder + L"\\" + name;
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~SavedWorkbookFile() { DeleteFileW(path.c_str()); }
    std::wstring folder;
    std::wstring path;
};

TEST(Shell, AShortcutThatCannotBeWrittenIsAnAutomationError) {
    auto shortcut = WinShell().CreateShortcut("C:\\Kein Ordner\\nirgends\\Bericht.xls.lnk");
    ASSERT_TRUE(shortcut);
    shortcut->SetTargetPath("C:\\Daten\\Bericht.xls");
    EXPECT_THROW(shortcut->Save(), AutomationError);
}

TEST_F(NavigatorTest, CreateLinkPutsAShortcutToASavedWorkbookOnTheDesktopAndRefusesAnUnsavedOne) {
    SavedWorkbookFile file(L"Übersicht 2024.xls");
    excel.CreateWorkbook("Übersicht 2024.xls", {"Tabelle1"}, WideToUtf8(file.folder));
    ComPtr<IDispatch> nav = DockedNavigator();  // the new workbook's events rebuild the pane
    ASSERT_TRUE(nav);
    Variant workbook = Get(Reach({L"Workbooks"}).Get(), L"Item", Args(Variant::Text("Übersicht 2024.xls"))).value;
    ASSERT_EQ(workbook.Type(), VT_DISPATCH);

    // CreateLink Wb, with Wb a variable: VBScript passes it by reference.
    boxesExpected = 2;
    const CallResult result = Call(nav.Get(), L"CreateLink", Args(ByRef(workbook)));
    EXPECT_EQ(result.hr, S_OK) << result.description;
    ASSERT_TRUE(boxes.WaitFor(1, 5000));
    EXPECT_EQ(boxes.Seen()[0].title, L"Fertig");
    EXPECT_EQ(boxes.Seen()[0].text, L"Desktopverknüpfung wurde erstellt!");
    const std::wstring link = Utf8ToWide(WinShell().SpecialFolder("Desktop")) + L"\\Übersicht 2024.xls.lnk";
    ASSERT_TRUE(GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ShortcutTarget(link), file.path);
    DeleteFileW(link.c_str());

    // A workbook never saved, as VBA passes an object expression: by value.
    ComPtr<IDispatch> fresh = ObjectOf(Get(Reach({L"Workbooks"}).Get(), L"Add"));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(Call(nav.Get(), L"CreateLink", Args(Variant::Object(fresh))).hr, S_OK);
    ASSERT_TRUE(boxes.WaitFor(2, 5000));
    EXPECT_EQ(boxes.Seen()[1].title, L"Abbruch");
    EXPECT_EQ(boxes.Seen()[1].text,
              L"Diese Arbeitsmappe ist noch nicht gespeichert!\r\n"
              L"Speichern sie diese Arbeitsmappe und wiederholen sie den Vorgang.");
    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

}  // namespace
}  // namespace brackwell::win::test
