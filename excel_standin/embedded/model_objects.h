#pragma once
// The workbooks, sheets and defined names of the embedded host. Each is both
// the model's record and the port object a caller holds, so a caller keeps
// the same object for as long as it exists. The fields belong to HostCore,
// which carries out every change; the port members only pass the gate and
// hand over.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel_standin/embedded/port_object.h"
#include "excel_standin/embedded/workbook_content.h"
#include "host/excel.h"

namespace brackwell::embedded {

class WorkbookObject;
class NameObject;

class SheetObject final : public Sheet, public PortObject, public std::enable_shared_from_this<SheetObject> {
public:
    SheetObject(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> owner, std::string name,
                SheetKind kind);

    std::string Name() override;
    void SetName(const std::string& name) override;
    bool ProtectContents() override;
    void Protect(const std::optional<std::string>& password) override;
    void Unprotect(const std::optional<std::string>& password) override;
    TabPtr Tab() override;
    void Activate() override;
    void Delete() override;
    void Copy(const SheetPtr& before, const SheetPtr& after) override;
    void Move(const SheetPtr& before, const SheetPtr& after) override;

private:
    friend class HostCore;
    friend class TabObject;
    friend class RangeObject;
    bool Connected() const override;
    const Workbook* Subject() const override;
    std::string SubjectItem() const override { return name_; }

    std::weak_ptr<WorkbookObject> owner_;
    std::string name_;
    SheetKind kind_;
    bool visible_ = true;
    std::int32_t tabColorIndex_ = -4142;
    bool protected_ = false;
    std::string password_;
    std::string selection_ = "$A$1";
    bool deleted_ = false;
};

class WorkbookObject final : public Workbook,
                             public PortObject,
                             public std::enable_shared_from_this<WorkbookObject> {
public:
    WorkbookObject(std::weak_ptr<HostCore> host, std::string name);

    std::string Name() override;
    std::string FullName() override;
    std::string Path() override;
    WindowsPtr Windows() override;
    bool IsAddin() override;
    void Activate() override;
    void Save() override;
    void Close(std::optional<bool> saveChanges) override;
    SheetsPtr Worksheets() override;
    SheetsPtr Sheets() override;
    DefinedNamesPtr Names() override;

    bool IsOpen() const { return !closed_; }

private:
    friend class HostCore;
    friend class SheetsView;
    friend class WindowsView;
    friend class WindowObject;
    friend class NamesView;
    bool Connected() const override { return !closed_; }
    const Workbook* Subject() const override { return this; }

    std::string name_;
    std::string path_;  // empty until saved
    bool isAddin_ = false;
    bool windowVisible_ = true;
    bool readOnly_ = false;
    bool saved_ = true;  // Excel's Saved: no unsaved changes
    bool closed_ = false;
    std::vector<std::shared_ptr<SheetObject>> sheets_;  // tab order
    std::vector<std::shared_ptr<NameObject>> names_;    // Names collection order
    std::shared_ptr<SheetObject> activeSheet_;
    std::uint64_t lastActivated_ = 0;
    WindowHandle windowHwnd_ = 0;  // its own window, where the host gives each workbook one
    std::weak_ptr<Window> windowPort_;  // the port of its window while one is held
    int sheetCounter_ = 0;  // the N of the last "TabelleN" handed out
};

class NameObject final : public DefinedName,
                         public PortObject,
                         public std::enable_shared_from_this<NameObject> {
public:
    NameObject(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> owner, std::string name,
               std::string refersTo, std::weak_ptr<SheetObject> scope);

    std::string Name() override;
    void SetName(const std::string& name) override;
    std::string RefersTo() override;
    bool Visible() override;
    RangePtr RefersToRange() override;
    void Delete() override;

private:
    friend class HostCore;
    bool Connected() const override;
    const Workbook* Subject() const override;
    std::string SubjectItem() const override { return name_; }

    std::weak_ptr<WorkbookObject> owner_;
    std::string name_;  // the bare name; a built-in one without "_xlnm."
    std::string refersTo_;
    std::weak_ptr<SheetObject> scope_;  // empty for a workbook-level name
    bool local_ = false;
    bool builtIn_ = false;  // Excel's own (print area, print titles, filter range ...)
    bool visible_ = true;
    bool deleted_ = false;
};

// Cells of one worksheet, as RefersToRange gives them: the sheet and its
// absolute address ("$A$1:$B$9,$D$1").
class RangeObject final : public Range, public PortObject {
public:
    RangeObject(std::weak_ptr<HostCore> host, std::weak_ptr<SheetObject> sheet, std::string address)
        : PortObject(std::move(host)), sheet_(std::move(sheet)), address_(std::move(address)) {}

private:
    friend class HostCore;
    bool Connected() const override;

    std::weak_ptr<SheetObject> sheet_;
    std::string address_;
};

}  // namespace brackwell::embedded
