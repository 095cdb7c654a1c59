#include "excel_standin/embedded/model_objects.h"

#include "excel_standin/embedded/collection_ports.h"
#include "excel_standin/embedded/host_core.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

std::shared_ptr<HostCore> PortObject::Enter(std::string_view member) const {
    auto host = host_.lock();
    if (!host) Raise(err::kDisconnected);
    CallGate& gate = host->Gate();
    if (gate.Observed()) {
        gate.Pass(member, Subject(), SubjectItem());
    } else {
        gate.Pass(member);
    }
    if (!Connected()) Raise(err::kDisconnected);
    return host;
}

// --- Sheet

const Workbook* SheetObject::Subject() const { return owner_.lock().get(); }

SheetObject::SheetObject(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> owner,
                         std::string name, SheetKind kind)
    : PortObject(std::move(host)), owner_(std::move(owner)), name_(std::move(name)), kind_(kind) {}

bool SheetObject::Connected() const {
    auto owner = owner_.lock();
    return !deleted_ && owner && owner->IsOpen();
}

std::string SheetObject::Name() {
    Enter("Sheet.Name");
    return name_;
}

void SheetObject::SetName(const std::string& name) {
    Enter("Sheet.SetName")->RenameSheet(shared_from_this(), name);
}

bool SheetObject::ProtectContents() {
    Enter("Sheet.ProtectContents");
    return protected_;
}

void SheetObject::Protect(const std::optional<std::string>& password) {
    Enter("Sheet.Protect")->ProtectSheet(shared_from_this(), password);
}

void SheetObject::Unprotect(const std::optional<std::string>& password) {
    Enter("Sheet.Unprotect")->UnprotectSheet(shared_from_this(), password);
}

TabPtr SheetObject::Tab() {
    auto host = Enter("Sheet.Tab");
    // The Tab object came with Excel 2002 (version 10).
    const int version = host->MajorVersion();
    if (version > 0 && version < 10) Raise(err::kNotSupported);
    return std::make_shared<TabObject>(host_, weak_from_this());
}

void SheetObject::Activate() { Enter("Sheet.Activate")->ActivateSheet(shared_from_this()); }

void SheetObject::Delete() { Enter("Sheet.Delete")->DeleteSheet(shared_from_this()); }

void SheetObject::Copy(const SheetPtr& before, const SheetPtr& after) {
    Enter("Sheet.Copy")->CopySheet(shared_from_this(), before, after);
}

void SheetObject::Move(const SheetPtr& before, const SheetPtr& after) {
    Enter("Sheet.Move")->MoveSheet(shared_from_this(), before, after);
}

// --- Workbook

WorkbookObject::WorkbookObject(std::weak_ptr<HostCore> host, std::string name)
    : PortObject(std::move(host)), name_(std::move(name)) {}

std::string WorkbookObject::Name() {
    Enter("Workbook.Name");
    return name_;
}

std::string WorkbookObject::FullName() { return Enter("Workbook.FullName")->FullNameOf(*this); }

std::string WorkbookObject::Path() {
    Enter("Workbook.Path");
    return path_;
}

WindowsPtr WorkbookObject::Windows() {
    Enter("Workbook.Windows");
    return std::make_shared<WindowsView>(host_, weak_from_this());
}

bool WorkbookObject::IsAddin() {
    Enter("Workbook.IsAddin");
    return isAddin_;
}

void WorkbookObject::Activate() { Enter("Workbook.Activate")->ActivateWorkbook(shared_from_this()); }

void WorkbookObject::Save() { Enter("Workbook.Save")->SaveWorkbook(shared_from_this()); }

void WorkbookObject::Close(std::optional<bool> saveChanges) {
    Enter("Workbook.Close")->CloseWorkbook(shared_from_this(), saveChanges);
}

SheetsPtr WorkbookObject::Worksheets() {
    Enter("Workbook.Worksheets");
    return std::make_shared<SheetsView>(host_, weak_from_this(), true);
}

SheetsPtr WorkbookObject::Sheets() {
    Enter("Workbook.Sheets");
    return std::make_shared<SheetsView>(host_, weak_from_this(), false);
}

DefinedNamesPtr WorkbookObject::Names() {
    Enter("Workbook.Names");
    return std::make_shared<NamesView>(host_, weak_from_this());
}

// --- DefinedName

const Workbook* NameObject::Subject() const { return owner_.lock().get(); }

NameObject::NameObject(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> owner,
                       std::string name, std::string refersTo, std::weak_ptr<SheetObject> scope)
    : PortObject(std::move(host)),
      owner_(std::move(owner)),
      name_(std::move(name)),
      refersTo_(std::move(refersTo)),
      scope_(std::move(scope)),
      local_(!scope_.expired()) {}

bool NameObject::Connected() const {
    auto owner = owner_.lock();
    return !deleted_ && owner && owner->IsOpen();
}

std::string NameObject::Name() { return Enter("DefinedName.Name")->NameText(*this); }

void NameObject::SetName(const std::string& name) {
    Enter("DefinedName.SetName")->RenameName(shared_from_this(), name);
}

std::string NameObject::RefersTo() {
    Enter("DefinedName.RefersTo");
    return refersTo_;
}

bool NameObject::Visible() {
    Enter("DefinedName.Visible");
    return visible_;
}

RangePtr NameObject::RefersToRange() { return Enter("DefinedName.RefersToRange")->RefersToRange(*this); }

void NameObject::Delete() { Enter("DefinedName.Delete")->DeleteName(shared_from_this()); }

// --- Range

bool RangeObject::Connected() const {
    const auto sheet = sheet_.lock();
    return sheet && sheet->Connected();
}

}  // namespace brackwell::embedded
