#include "excel_standin/embedded/embedded_excel.h"

#include <stdexcept>

#include "excel_standin/embedded/host_core.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

std::shared_ptr<WorkbookObject> OwnWorkbook(const WorkbookPtr& wb) {
    auto own = std::dynamic_pointer_cast<WorkbookObject>(wb);
    if (!own) throw std::invalid_argument("not a workbook of the embedded host");
    return own;
}

std::shared_ptr<SheetObject> OwnSheet(const SheetPtr& sheet) {
    auto own = std::dynamic_pointer_cast<SheetObject>(sheet);
    if (!own) throw std::invalid_argument("not a sheet of the embedded host");
    return own;
}

}  // namespace

EmbeddedExcel::EmbeddedExcel(std::string version) : core_(HostCore::Create(std::move(version))) {}

EmbeddedExcel::~EmbeddedExcel() = default;

ApplicationPtr EmbeddedExcel::App() { return core_->App(); }

void EmbeddedExcel::SetVersion(std::string version) { core_->SetVersion(std::move(version)); }
void EmbeddedExcel::SetHwnd(WindowHandle hwnd) { core_->SetHwnd(hwnd); }
void EmbeddedExcel::SetSheetsInNewWorkbook(int count) { core_->SetSheetsInNewWorkbook(count); }
void EmbeddedExcel::SetDefaultFilePath(std::string path) { core_->SetDefaultFilePath(std::move(path)); }
void EmbeddedExcel::SetMaxRecentFiles(int count) { core_->SetMaxRecentFiles(count); }

void EmbeddedExcel::SetWindowMaker(std::function<WindowHandle(const std::string&)> create,
                                   std::function<void(WindowHandle)> destroy) {
    core_->SetWindowMaker(std::move(create), std::move(destroy));
}

WindowHandle EmbeddedExcel::WindowOf(const WorkbookPtr& wb) {
    return core_->WindowPerWorkbook() ? core_->WindowHwnd(OwnWorkbook(wb)) : 0;
}

WorkbookPtr EmbeddedExcel::CreateWorkbook(const std::string& name, const std::vector<std::string>& worksheetNames,
                                          const std::string& path) {
    return core_->CreateWorkbook(name, worksheetNames, path);
}

SheetPtr EmbeddedExcel::AddChartSheet(const WorkbookPtr& wb, const std::string& name, int position) {
    return core_->InsertSheetSilently(OwnWorkbook(wb), name, SheetKind::Chart, position);
}

SheetPtr EmbeddedExcel::AddWorksheet(const WorkbookPtr& wb, const std::string& name, int position) {
    return core_->InsertSheetSilently(OwnWorkbook(wb), name, SheetKind::Worksheet, position);
}

DefinedNamePtr EmbeddedExcel::AddName(const WorkbookPtr& wb, const std::string& name, const std::string& refersTo,
                                      const SheetPtr& scope) {
    return core_->AddNameSilently(OwnWorkbook(wb), name, refersTo, scope ? OwnSheet(scope) : nullptr);
}

void EmbeddedExcel::SetNameVisible(const DefinedNamePtr& name, bool visible) {
    auto own = std::dynamic_pointer_cast<NameObject>(name);
    if (!own) throw std::invalid_argument("not a name of the embedded host");
    core_->SetNameVisibleSilently(own, visible);
}

void EmbeddedExcel::SetWindowVisible(const WorkbookPtr& wb, bool visible) {
    core_->SetWindowVisible(OwnWorkbook(wb), visible);
}

void EmbeddedExcel::SetSheetVisible(const SheetPtr& sheet, bool visible) {
    core_->SetSheetVisible(OwnSheet(sheet), visible);
}

void EmbeddedExcel::SetSheetProtection(const SheetPtr& sheet, bool isProtected, const std::string& password) {
    core_->SetSheetProtectionSilently(OwnSheet(sheet), isProtected, password);
}

void EmbeddedExcel::SetTabColor(const SheetPtr& sheet, std::int32_t colorIndex) {
    core_->SetTabColorSilently(OwnSheet(sheet), colorIndex);
}

WorkbookPtr EmbeddedExcel::AddAddin(const std::string& name, const std::string& path) {
    return core_->AddAddin(name, path);
}

void EmbeddedExcel::ActivateSilently(const WorkbookPtr& wb, const SheetPtr& sheet) {
    core_->ActivateSilently(OwnWorkbook(wb), sheet ? OwnSheet(sheet) : nullptr);
}

void EmbeddedExcel::AddRecentFile(const std::string& fullPath) { core_->AddRecentFile(fullPath); }
bool EmbeddedExcel::Saved(const WorkbookPtr& wb) { return core_->Saved(OwnWorkbook(wb)); }
void EmbeddedExcel::SetSaved(const WorkbookPtr& wb, bool saved) { core_->SetSaved(OwnWorkbook(wb), saved); }
void EmbeddedExcel::SetReadOnly(const WorkbookPtr& wb, bool readOnly) {
    core_->SetReadOnly(OwnWorkbook(wb), readOnly);
}

WorkbookContent EmbeddedExcel::Snapshot(const WorkbookPtr& wb) { return core_->ContentOf(*OwnWorkbook(wb)); }

Selection EmbeddedExcel::CurrentSelection() {
    const SelectionView view = core_->Selection();
    return Selection{view.workbook, view.sheet, view.range};
}

std::vector<std::string> EmbeddedExcel::RecentFilePaths() { return core_->RecentFilePaths(); }

std::vector<std::int32_t> EmbeddedExcel::ShownDialogs() { return core_->ShownDialogs(); }

ScriptedUser& EmbeddedExcel::User() { return core_->User(); }

void EmbeddedExcel::SetFiles(std::shared_ptr<WorkbookFiles> files) { core_->SetFiles(std::move(files)); }
MemoryWorkbookFiles& EmbeddedExcel::MemoryFiles() { return core_->MemoryFiles(); }

void EmbeddedExcel::PostEvent(PendingEvent event) { core_->Events().Post(std::move(event)); }
int EmbeddedExcel::RunPendingEvents() { return core_->Events().RunPending(); }
bool EmbeddedExcel::HasPendingEvents() const { return core_->Events().HasPending(); }
void EmbeddedExcel::SetPendingEventNotifier(std::function<void()> notifier) {
    core_->Events().SetNotifier(std::move(notifier));
}
void EmbeddedExcel::SetDeferEvents(bool defer) { core_->SetDeferEvents(defer); }
std::size_t EmbeddedExcel::AttachedSinkCount() const { return core_->Events().SinkCount(); }
std::size_t EmbeddedExcel::EventSinkFailures() const { return core_->Events().SinkFailures(); }

void EmbeddedExcel::FailOn(const std::string& member, int nthCall, std::int32_t number, std::string description) {
    core_->Gate().FailOn(member, nthCall, number, std::move(description));
}
void EmbeddedExcel::FailAlways(const std::string& member, std::int32_t number, std::string description) {
    core_->Gate().FailAlways(member, number, std::move(description));
}
void EmbeddedExcel::FailCall(int nthCall, std::int32_t number, std::string description) {
    core_->Gate().FailCall(nthCall, number, std::move(description));
}
void EmbeddedExcel::ClearFaults() { core_->Gate().ClearFaults(); }
int EmbeddedExcel::Calls(const std::string& member) const { return core_->Gate().Calls(member); }
int EmbeddedExcel::TotalCalls() const { return core_->Gate().TotalCalls(); }
void EmbeddedExcel::ResetCalls() { core_->Gate().ResetCalls(); }
void EmbeddedExcel::SetCallObserver(std::function<void(const HostCall&)> observer) {
    core_->Gate().SetObserver(std::move(observer));
}

std::vector<CommandBarView> EmbeddedExcel::CommandBarsView() const { return core_->Bars().All(); }

std::optional<CommandBarView> EmbeddedExcel::FindCommandBar(const std::string& name) const {
    auto bar = core_->Bars().Find(name);
    if (!bar) return std::nullopt;
    return *bar;
}

void EmbeddedExcel::RegisterMacro(const std::string& name, std::function<void()> macro) {
    core_->RegisterMacro(name, std::move(macro));
}

bool EmbeddedExcel::PressCommandBarButton(const std::string& barName, int buttonIndex) {
    return core_->PressCommandBarButton(barName, buttonIndex);
}

}  // namespace brackwell::embedded
