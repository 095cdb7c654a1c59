#include "excel_standin/embedded/collection_ports.h"

#include "excel_standin/embedded/command_bar_ports.h"
#include "excel_standin/embedded/host_core.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

bool IsOpen(const std::weak_ptr<WorkbookObject>& wb) {
    auto locked = wb.lock();
    return locked && locked->IsOpen();
}

// The file name part of a full path.
std::string FileNameOf(const std::string& fullPath) {
    const std::size_t slash = fullPath.find_last_of("\\/");
    return slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
}

}  // namespace

// --- Application

std::unique_ptr<EventConnection> ApplicationObject::Advise(AppEvents& sink) {
    return Enter("Application.Advise")->Events().Attach(sink);
}

std::string ApplicationObject::Version() { return Enter("Application.Version")->Version(); }

WindowHandle ApplicationObject::Hwnd() {
    // From Excel 2013 on, the active workbook's window.
    const auto host = Enter("Application.Hwnd");
    const auto active = host->ActiveWorkbook();
    if (host->WindowPerWorkbook() && active && host->WindowHwnd(active)) return host->WindowHwnd(active);
    return host->Hwnd();
}

WorkbookPtr ApplicationObject::ActiveWorkbook() {
    return Enter("Application.ActiveWorkbook")->ActiveWorkbook();
}

SheetPtr ApplicationObject::ActiveSheet() { return Enter("Application.ActiveSheet")->ActiveSheet(); }

WorkbooksPtr ApplicationObject::Workbooks() {
    Enter("Application.Workbooks");
    return std::make_shared<WorkbooksView>(host_);
}

WindowsPtr ApplicationObject::Windows() {
    Enter("Application.Windows");
    return std::make_shared<WindowsView>(host_);
}

WindowPtr ApplicationObject::ActiveWindow() {
    const auto host = Enter("Application.ActiveWindow");
    const auto active = host->ActiveWorkbook();
    return active ? host->WindowOf(active) : nullptr;
}

CommandBarsPtr ApplicationObject::CommandBars() {
    Enter("Application.CommandBars");
    return std::make_shared<CommandBarsObject>(host_);
}

FileChoice ApplicationObject::GetOpenFilename(bool multiSelect) {
    return Enter("Application.GetOpenFilename")->GetOpenFilename(multiSelect);
}

DialogsPtr ApplicationObject::Dialogs() {
    Enter("Application.Dialogs");
    return std::make_shared<DialogsView>(host_);
}

void ApplicationObject::Goto(const std::string& reference) {
    Enter("Application.Goto")->Goto(reference);
}

void ApplicationObject::Goto(const RangePtr& reference) {
    const auto host = Enter("Application.Goto");
    // Only a range of this host will do, as Excel takes only its own.
    const auto* range = dynamic_cast<const RangeObject*>(reference.get());
    if (!range) Raise(err::kTypeMismatch);
    host->Goto(*range);
}

RecentFilesPtr ApplicationObject::RecentFiles() {
    Enter("Application.RecentFiles");
    return std::make_shared<RecentFilesView>(host_);
}

// --- Workbooks

std::int32_t WorkbooksView::Count() { return Enter("Workbooks.Count")->WorkbookCount(); }

WorkbookPtr WorkbooksView::Item(std::int32_t index) { return Enter("Workbooks.Item")->WorkbookAt(index); }

WorkbookPtr WorkbooksView::ItemByName(const std::string& name) {
    return Enter("Workbooks.ItemByName")->WorkbookByName(name);
}

std::vector<WorkbookPtr> WorkbooksView::Enumerate() {
    auto open = Enter("Workbooks.Enumerate")->OpenWorkbooks();
    return {open.begin(), open.end()};
}

WorkbookPtr WorkbooksView::Add() { return Enter("Workbooks.Add")->AddWorkbook(); }

WorkbookPtr WorkbooksView::Open(const std::string& fileName) {
    return Enter("Workbooks.Open")->OpenWorkbook(fileName);
}

// --- Sheets

bool SheetsView::Connected() const { return IsOpen(wb_); }

std::int32_t SheetsView::Count() {
    auto host = Enter("Sheets.Count");
    return static_cast<std::int32_t>(host->SheetList(*wb_.lock(), worksheetsOnly_).size());
}

SheetPtr SheetsView::Item(std::int32_t index) {
    return Enter("Sheets.Item")->SheetAt(*wb_.lock(), worksheetsOnly_, index);
}

SheetPtr SheetsView::ItemByName(const std::string& name) {
    return Enter("Sheets.ItemByName")->SheetByName(*wb_.lock(), worksheetsOnly_, name);
}

SheetPtr SheetsView::Add() { return Enter("Sheets.Add")->AddWorksheet(wb_.lock()); }

// --- Windows and Window: one window per workbook

bool WindowsView::Connected() const { return ofApplication_ || IsOpen(wb_); }

std::int32_t WindowsView::Count() {
    const auto host = Enter("Windows.Count");
    return ofApplication_ ? host->WorkbookCount() : 1;
}

WindowPtr WindowsView::Item(std::int32_t index) {
    const auto host = Enter("Windows.Item");
    if (!ofApplication_) {
        if (index != 1) Raise(err::kSubscriptOutOfRange);
        return std::make_shared<WindowObject>(host_, wb_);
    }
    const auto order = host->WindowOrder();
    if (index < 1 || index > static_cast<std::int32_t>(order.size())) Raise(err::kSubscriptOutOfRange);
    return host->WindowOf(order[static_cast<std::size_t>(index - 1)]);
}

bool WindowObject::Connected() const { return IsOpen(wb_); }

bool WindowObject::Visible() {
    Enter("Window.Visible");
    return wb_.lock()->windowVisible_;
}

WindowHandle WindowObject::Hwnd() { return Enter("Window.Hwnd")->WindowHwnd(wb_.lock()); }

// --- Tab

bool TabObject::Connected() const {
    auto sheet = sheet_.lock();
    return sheet && sheet->Connected();
}

const Workbook* TabObject::Subject() const {
    auto sheet = sheet_.lock();
    return sheet ? sheet->Subject() : nullptr;
}

std::string TabObject::SubjectItem() const {
    auto sheet = sheet_.lock();
    return sheet ? sheet->SubjectItem() : std::string();
}

std::int32_t TabObject::ColorIndex() {
    Enter("Tab.ColorIndex");
    return sheet_.lock()->tabColorIndex_;
}

void TabObject::SetColorIndex(std::int32_t index) {
    Enter("Tab.SetColorIndex")->SetTabColor(sheet_.lock(), index);
}

// --- Names

bool NamesView::Connected() const { return IsOpen(wb_); }

std::int32_t NamesView::Count() {
    Enter("DefinedNames.Count");
    return static_cast<std::int32_t>(wb_.lock()->names_.size());
}

DefinedNamePtr NamesView::Item(std::int32_t index) {
    Enter("DefinedNames.Item");
    const auto wb = wb_.lock();
    const auto& names = wb->names_;
    if (index < 1 || index > static_cast<std::int32_t>(names.size())) Raise(err::kSubscriptOutOfRange);
    return names[static_cast<std::size_t>(index - 1)];
}

// --- Recent files

std::int32_t RecentFilesView::Count() {
    return static_cast<std::int32_t>(Enter("RecentFiles.Count")->RecentFilePaths().size());
}

RecentFilePtr RecentFilesView::Item(std::int32_t index) {
    const auto host = Enter("RecentFiles.Item");
    const auto& paths = host->RecentFilePaths();
    if (index < 1 || index > static_cast<std::int32_t>(paths.size())) Raise(err::kSubscriptOutOfRange);
    return std::make_shared<RecentFileObject>(host_, paths[static_cast<std::size_t>(index - 1)]);
}

std::string RecentFileObject::Name() {
    Enter("RecentFile.Name");
    return FileNameOf(fullPath_);
}

std::string RecentFileObject::Path() {
    Enter("RecentFile.Path");
    return fullPath_;
}

// --- Dialogs

DialogPtr DialogsView::Item(std::int32_t index) {
    Enter("Dialogs.Item");
    if (index < 1) Raise(err::kSubscriptOutOfRange);
    return std::make_shared<DialogObject>(host_, index);
}

bool DialogObject::Show() { return Enter("Dialog.Show")->ShowDialog(number_); }

}  // namespace brackwell::embedded
