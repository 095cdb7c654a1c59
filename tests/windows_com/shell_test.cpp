// The shell port on the real "WScript.Shell", and CreateLink through the
// DLL's IDispatch with a workbook passed by reference: the shortcut file on
// the desktop, and what the message box said.

#include <gtest/gtest.h>

#include <shlobj.h>
#include <objidl.h>

#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/shell/win_shell.h"
#include "host/automation_error.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

// A real file to point shortcuts at, in a folder of its own.
class SavedWorkbookFile {
public:
    explicit SavedWorkbookFile(const wchar_t* name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"brackwell-com-test";
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\" + name;
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    ~SavedWorkbookFile() {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    const std::wstring& Folder() const { return folder_; }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring folder_;
    std::wstring path_;
};

TEST(Shell, ReportsTheDesktopAndWritesShortcutsToTheirTarget) {
    WinShell shell;
    const std::wstring desktop = Utf8ToWide(shell.SpecialFolder("Desktop"));
    ASSERT_TRUE(IsDirectory(desktop)) << WideToUtf8(desktop);

    SavedWorkbookFile target(L"Übersicht 2024.xls");
    const std::wstring link = desktop + L"\\Übersicht 2024.xls.lnk";
    auto shortcut = shell.CreateShortcut(WideToUtf8(link));
    ASSERT_TRUE(shortcut);
    shortcut->SetTargetPath(WideToUtf8(target.Path()));
    EXPECT_FALSE(FileExists(link)) << "nothing is written before Save";
    shortcut->Save();
    ASSERT_TRUE(FileExists(link));
    EXPECT_EQ(ShortcutTarget(link), target.Path());
    DeleteFileW(link.c_str());
}

TEST(Shell, AShortcutThatCannotBeWrittenIsAnAutomationError) {
    WinShell shell;
    auto shortcut = shell.CreateShortcut("C:\\Kein Ordner\\nirgends\\Bericht.xls.lnk");
    ASSERT_TRUE(shortcut);
    shortcut->SetTargetPath("C:\\Daten\\Bericht.xls");
    EXPECT_THROW(shortcut->Save(), AutomationError);
}

TEST_F(NavigatorTest, CreateLinkPutsAShortcutToTheSavedWorkbookOnTheDesktop) {
    SavedWorkbookFile file(L"Bericht.xls");
    excel.CreateWorkbook("Bericht.xls", {"Tabelle1"}, WideToUtf8(file.Folder()));
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    Variant workbook = Get(Reach({L"Workbooks"}).Get(), L"Item", Args(Variant::Text("Bericht.xls"))).value;
    ASSERT_EQ(workbook.Type(), VT_DISPATCH);

    // CreateLink Wb, with Wb a variable: VBScript passes it by reference.
    boxesExpected = 1;
    const CallResult result = Call(nav.Get(), L"CreateLink", Args(ByRef(workbook)));
    EXPECT_EQ(result.hr, S_OK) << result.description;
    ASSERT_TRUE(boxes.WaitFor(1, 5000));
    EXPECT_EQ(boxes.Seen()[0].title, L"Fertig");
    EXPECT_EQ(boxes.Seen()[0].text, L"Desktopverknüpfung wurde erstellt!");

    const std::wstring link = Utf8ToWide(WinShell().SpecialFolder("Desktop")) + L"\\Bericht.xls.lnk";
    ASSERT_TRUE(FileExists(link));
    EXPECT_EQ(ShortcutTarget(link), file.Path());
    DeleteFileW(link.c_str());
}

TEST_F(NavigatorTest, CreateLinkRefusesAWorkbookThatWasNeverSaved) {
    ComPtr<IDispatch> nav = CreateNavigator();
    ASSERT_TRUE(nav);
    Attach(nav.Get(), app.Get());
    ASSERT_EQ(Call(nav.Get(), L"CreateNavBar").hr, S_OK);  // the new workbook's events rebuild the pane
    ComPtr<IDispatch> fresh = ObjectOf(Get(Reach({L"Workbooks"}).Get(), L"Add"));
    ASSERT_TRUE(fresh);

    // As VBA passes an object expression: by value.
    boxesExpected = 1;
    EXPECT_EQ(Call(nav.Get(), L"CreateLink", Args(Variant::Object(fresh))).hr, S_OK);
    ASSERT_TRUE(boxes.WaitFor(1, 5000));
    EXPECT_EQ(boxes.Seen()[0].title, L"Abbruch");
    EXPECT_EQ(boxes.Seen()[0].text,
              L"Diese Arbeitsmappe ist noch nicht gespeichert!\r\n"
              L"Speichern sie diese Arbeitsmappe und wiederholen sie den Vorgang.");
    ASSERT_EQ(Call(nav.Get(), L"DelNavBar").hr, S_OK);
}

}  // namespace
}  // namespace brackwell::win::test
