#include "apps/demo/menu_commands.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brackwell::demo {
namespace {

// The files GetOpenFilename chose (with MultiSelect the host answers with a list).
std::vector<std::string> ChosenFiles(const FileChoice& choice) {
    if (const auto* list = std::get_if<std::vector<std::string>>(&choice)) return *list;
    if (const auto* one = std::get_if<std::string>(&choice)) return {*one};
    return {};  // False: the user cancelled
}

WorkbookPtr RequireActiveWorkbook(Application& app) {
    WorkbookPtr wb = app.ActiveWorkbook();
    if (!wb) Raise(err::kObjectNotSet);  // what VB says to ActiveWorkbook.Save with none open
    return wb;
}

}  // namespace

win::MenuHandle CreateDemoMenu(bool comAddIns) {
    win::MenuHandle bar(::CreateMenu());
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kCommandNew, L"&Neu");
    ::AppendMenuW(file, MF_STRING, kCommandOpen, L"Ö&ffnen...");
    ::AppendMenuW(file, MF_STRING, kCommandSave, L"&Speichern");
    ::AppendMenuW(file, MF_STRING, kCommandSaveAs, L"Speichern &unter...");
    ::AppendMenuW(file, MF_STRING, kCommandClose, L"S&chließen");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    if (comAddIns) {
        ::AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"&COM-Add-Ins");
        ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuW(file, MF_STRING, kCommandExit, L"&Beenden");
    ::AppendMenuW(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&Datei");  // the bar owns it now
    HMENU sheet = ::CreatePopupMenu();
    ::AppendMenuW(sheet, MF_STRING, kCommandNewWorksheet, L"&Neues Tabellenblatt");
    ::AppendMenuW(bar.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sheet), L"&Blatt");
    return bar;
}

HMENU ComAddInsMenu(HMENU bar) {
    HMENU file = ::GetSubMenu(bar, 0);
    for (int i = 0, count = ::GetMenuItemCount(file); i < count; ++i) {
        wchar_t text[32] = {};
        ::GetMenuStringW(file, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        if (std::wstring_view(text) == L"&COM-Add-Ins") return ::GetSubMenu(file, i);
    }
    return nullptr;
}

void UpdateDemoMenu(HMENU menu, bool haveWorkbook) {
    const UINT state = MF_BYCOMMAND | (haveWorkbook ? MF_ENABLED : MF_GRAYED);
    for (int command : {kCommandSave, kCommandSaveAs, kCommandClose, kCommandNewWorksheet}) {
        ::EnableMenuItem(menu, static_cast<UINT>(command), state);
    }
}

bool RunHostCommand(int command, Application& app, const FailureReport& report) {
    try {
        switch (command) {
        case kCommandNew:
            app.Workbooks()->Add();
            return true;
        case kCommandOpen:
            for (const std::string& file : ChosenFiles(app.GetOpenFilename(true))) {
                try {
                    app.Workbooks()->Open(file);
                } catch (const AutomationError& e) {
                    report(e);  // this file is refused; the others still open
                }
            }
            return true;
        case kCommandSave:
            RequireActiveWorkbook(app)->Save();
            return true;
        case kCommandSaveAs:
            app.Dialogs()->Item(xl::kDialogSaveAs)->Show();
            return true;
        case kCommandClose:
            RequireActiveWorkbook(app)->Close(std::nullopt);  // the host asks about unsaved changes
            return true;
        case kCommandNewWorksheet:
            RequireActiveWorkbook(app)->Worksheets()->Add();
            return true;
        default:
            return false;
        }
    } catch (const AutomationError& e) {
        report(e);
        return true;
    }
}

}  // namespace brackwell::demo
