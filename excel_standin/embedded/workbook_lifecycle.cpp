// Workbooks coming and going: Add, Open, Save, the save dialogs and Close.

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/host_messages.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

bool HasDirectory(const std::string& path) { return path.find_first_of("\\/") != std::string::npos; }

std::string FileNameOf(const std::string& fullPath) {
    const std::size_t slash = fullPath.find_last_of("\\/");
    return slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
}

// Excel's Path: the folder without its last separator, "C:\" for a drive root.
std::string DirectoryOf(const std::string& fullPath) {
    const std::size_t slash = fullPath.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    std::string directory = fullPath.substr(0, slash);
    if (!directory.empty() && directory.back() == ':') directory += '\\';
    return directory;
}

std::string JoinPath(const std::string& directory, const std::string& file) {
    if (directory.empty()) return file;
    const char last = directory.back();
    return directory + (last == '\\' || last == '/' ? "" : "\\") + file;
}

[[noreturn]] void CloseRefused() { Raise(err::kHost, msg::MethodFailed("Close", "_Workbook")); }

}  // namespace

std::string HostCore::DefaultExtension() const {
    const int version = MajorVersion();
    return version > 0 && version < 12 ? ".xls" : ".xlsx";
}

HostCore::WbObj HostCore::AddWorkbook() {
    WbObj wb = NewWorkbookObject(NextWorkbookName());
    for (int i = 1; i <= sheetsInNewWorkbook_; ++i) {
        wb->sheets_.push_back(NewSheet(wb, std::string(kWorksheetBaseName) + std::to_string(i),
                                       SheetKind::Worksheet));
    }
    wb->sheetCounter_ = sheetsInNewWorkbook_;
    wb->activeSheet_ = wb->sheets_.front();
    AppendWorkbook(wb);
    SwitchActiveWorkbook(wb, EventKind::NewWorkbook);
    return wb;
}

HostCore::WbObj HostCore::OpenWorkbook(const std::string& fileName) {
    const std::string fullPath = HasDirectory(fileName) ? fileName : JoinPath(defaultPath_, fileName);

    // Opening a file that is open already only brings it to the front.
    for (const WbObj& candidate : workbooks_) {
        if (!candidate->path_.empty() && EqualsIgnoreCase(FullNameOf(*candidate), fullPath)) {
            const WbObj wb = candidate;  // handlers of the activation may change the collection
            ActivateWorkbook(wb);
            return wb;
        }
    }
    if (!files_->Exists(fullPath)) Raise(err::kHost, msg::FileNotFound(fileName));
    LoadedWorkbook loaded;
    try {
        loaded = files_->Load(fullPath);
    } catch (const std::exception&) {
        Raise(err::kHost, msg::FileUnreadable(fileName));
    }
    const std::string name = FileNameOf(fullPath);
    if (FindOpenByName(name, nullptr)) Raise(err::kHost, msg::WorkbookNameInUse(name));

    WbObj wb = BuildWorkbook(fullPath, loaded);
    AppendWorkbook(wb);
    AddRecentFile(fullPath);
    if (wb->windowVisible_) {
        SwitchActiveWorkbook(wb, EventKind::WorkbookOpen);
    } else {
        Fire(EventKind::WorkbookOpen, wb);  // a hidden window (PERSONAL.XLSB) never becomes active
    }
    return wb;
}

HostCore::WbObj HostCore::BuildWorkbook(const std::string& fullPath, const LoadedWorkbook& loaded) {
    const WorkbookContent& content = loaded.content;
    const auto unreadable = [&] { Raise(err::kHost, msg::FileUnreadable(fullPath)); };

    WbObj wb = NewWorkbookObject(FileNameOf(fullPath));
    wb->path_ = DirectoryOf(fullPath);
    wb->windowVisible_ = content.firstWindowVisible;
    wb->readOnly_ = loaded.readOnly;
    for (const SheetContent& s : content.sheets) {
        const bool colourOk = s.tabColorIndex == xl::kColorIndexNone ||
                              (s.tabColorIndex >= 1 && s.tabColorIndex <= 56);
        if (!IsValidSheetName(s.name) || SheetNameTaken(*wb, s.name, nullptr) || !colourOk) unreadable();
        ShObj sheet = NewSheet(wb, s.name, s.kind);
        sheet->visible_ = s.visible;
        sheet->tabColorIndex_ = s.tabColorIndex;
        sheet->protected_ = s.protectedContents;
        sheet->password_ = s.protectedContents ? s.password : std::string();
        wb->sheets_.push_back(sheet);
    }
    if (VisibleSheetCount(*wb) == 0) unreadable();
    for (const ShObj& sheet : wb->sheets_) {
        if (sheet->visible_) {
            wb->activeSheet_ = sheet;
            break;
        }
    }
    InitSheetCounter(*wb);
    for (const NameContent& n : content.names) {
        ShObj scope;
        if (n.localSheet) {
            scope = SheetByNameOrNull(*wb, *n.localSheet);
            if (!scope) unreadable();
        }
        const std::string_view bare = BareName(n.name);
        if (!IsValidDefinedName(bare, Grid()) || FindName(*wb, bare, scope.get())) unreadable();
        InsertName(wb, n.name, n.refersTo.starts_with("=") ? n.refersTo : "=" + n.refersTo, scope)->visible_ =
            !n.hidden;
    }
    return wb;
}

void HostCore::InitSheetCounter(WorkbookObject& wb) {
    // Excel counts on from the highest "TabelleN" it finds (UNCONFIRMED for
    // files; for new workbooks it counts on from SheetsInNewWorkbook).
    wb.sheetCounter_ = 0;
    for (const ShObj& sheet : wb.sheets_) {
        wb.sheetCounter_ = std::max(wb.sheetCounter_, NumberAfterBase(sheet->name_, kWorksheetBaseName));
    }
}

WorkbookContent HostCore::ContentOf(const WorkbookObject& wb) const {
    WorkbookContent content;
    content.firstWindowVisible = wb.windowVisible_;
    if (wb.activeSheet_) content.activeSheet = wb.activeSheet_->name_;
    for (const ShObj& sheet : wb.sheets_) {
        content.sheets.push_back(SheetContent{sheet->name_, sheet->kind_, sheet->visible_,
                                              sheet->tabColorIndex_, sheet->protected_,
                                              sheet->password_});
    }
    for (const NmObj& name : wb.names_) {
        std::optional<std::string> local;
        if (auto scope = name->scope_.lock()) local = scope->name_;
        content.names.push_back(NameContent{FileSpelling(*name), name->refersTo_, local, !name->visible_});
    }
    return content;
}

void HostCore::SaveWorkbook(const WbObj& wb) {
    if (wb->path_.empty()) {
        // Never saved: Save writes into the default folder under the
        // workbook's name ("Mappe1" becomes "Mappe1.xlsx") without a dialog.
        if (FireBeforeSave(wb, false) || !wb->IsOpen()) return;
        WriteFile(wb, JoinPath(defaultPath_, wb->name_ + DefaultExtension()));
        return;
    }
    SaveInPlace(wb);
}

bool HostCore::SaveInPlace(const WbObj& wb) {
    // BeforeSave comes first; Excel finds out about a read-only file only
    // when it tries to write (UNCONFIRMED order).
    if (FireBeforeSave(wb, false) || !wb->IsOpen()) return false;
    if (wb->readOnly_) Raise(err::kHost, msg::ReadOnlyWorkbook(wb->name_));
    WriteFile(wb, FullNameOf(*wb));
    return true;
}

bool HostCore::SaveAsWithDialog(const WbObj& wb) {
    // Excel fires BeforeSave with SaveAsUI True before it shows the dialog.
    if (FireBeforeSave(wb, true) || !wb->IsOpen()) return false;
    std::optional<std::string> chosen = user_.AskSaveAs(wb->name_);
    if (!chosen || chosen->empty() || !wb->IsOpen()) return false;
    std::string fullPath = HasDirectory(*chosen) ? *chosen : JoinPath(defaultPath_, *chosen);
    if (FileNameOf(fullPath).find('.') == std::string::npos) fullPath += DefaultExtension();
    WriteFile(wb, fullPath);
    return true;
}

bool HostCore::SaveForClose(const WbObj& wb) {
    if (wb->path_.empty() || wb->readOnly_) return SaveAsWithDialog(wb);
    return SaveInPlace(wb);
}

void HostCore::WriteFile(const WbObj& wb, const std::string& fullPath) {
    const std::string name = FileNameOf(fullPath);
    if (FindOpenByName(name, wb.get())) Raise(err::kHost, msg::WorkbookNameInUse(name));
    try {
        files_->Save(fullPath, ContentOf(*wb));
    } catch (const std::exception&) {
        Raise(err::kHost, msg::FileNotSaved(fullPath));
    }
    const bool newPath = wb->path_.empty() || !EqualsIgnoreCase(FullNameOf(*wb), fullPath);
    if (wb->name_ != name) {
        const std::string oldName = wb->name_;
        wb->name_ = name;
        OnWorkbookRenamed(oldName, name);
    }
    wb->path_ = DirectoryOf(fullPath);
    wb->saved_ = true;
    wb->readOnly_ = false;
    // The recent-file list takes a file when it gets its place (first save,
    // save as), as it does on open; saving in place leaves the list alone.
    if (newPath) AddRecentFile(fullPath);
}

bool HostCore::ShowDialog(std::int32_t number) {
    const bool known = number == xl::kDialogSaveAs || number == xl::kDialogSaveWorkbook;
    const WbObj wb = active_;
    if (!known || !wb) Raise(err::kHost, msg::MethodFailed("Show", "Dialog"));
    shownDialogs_.push_back(number);
    // xlDialogSaveWorkbook is the Save command: it asks only when it has to.
    if (number == xl::kDialogSaveWorkbook && !wb->path_.empty() && !wb->readOnly_) return SaveInPlace(wb);
    return SaveAsWithDialog(wb);
}

void HostCore::CloseWorkbook(const WbObj& wb, std::optional<bool> saveChanges) {
    // SaveChanges means nothing when there is nothing to save; an add-in is never asked about.
    if (!wb->saved_ && !wb->isAddin_) {
        bool save = false;
        if (saveChanges) {
            save = *saveChanges;
        } else {
            const CloseAnswer answer = user_.AskSaveChanges(wb->name_);
            if (answer == CloseAnswer::Cancel) CloseRefused();
            save = answer == CloseAnswer::Yes;
        }
        // A save the user or a BeforeSave sink cancels stops the close
        // (UNCONFIRMED for the sink: Excel might close without saving).
        if (save && !SaveForClose(wb) && wb->IsOpen()) CloseRefused();
        if (!wb->IsOpen()) return;  // a handler closed it meanwhile
    }
    if (active_ == wb) {
        Fire(EventKind::WindowDeactivate, wb);
        if (!wb->IsOpen()) return;
        Fire(EventKind::WorkbookDeactivate, wb);
        if (!wb->IsOpen()) return;
    }
    // The closed workbook's window goes before the next one is activated, as
    // the system activates another window only once the active one is gone.
    RemoveWorkbook(wb);
    if (active_ == wb) {
        active_.reset();
        if (WbObj next = MostRecentlyActiveVisible()) {
            MakeActive(next);
            Fire(EventKind::WorkbookActivate, next);
            if (next->IsOpen() && active_ == next) Fire(EventKind::WindowActivate, next);
        }
    }
}

void HostCore::RemoveWorkbook(const WbObj& wb) {
    std::erase(workbooks_, wb);
    std::erase(addins_, wb);
    wb->closed_ = true;  // its sheets, names and windows disconnect with it
    if (const WindowHandle window = std::exchange(wb->windowHwnd_, 0); window && destroyWindow_) {
        destroyWindow_(window);
    }
}

}  // namespace brackwell::embedded
