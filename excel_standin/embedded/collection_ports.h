#pragma once
// The Application object and the small port objects around the model: the
// collections (Workbooks, Sheets, Windows, Names, RecentFiles, Dialogs),
// Window, Tab, RecentFile and Dialog. Collections are views made afresh on
// each call, as Excel hands out new collection objects; they read the model
// through HostCore.

#include <memory>
#include <string>

#include "excel_standin/embedded/model_objects.h"
#include "excel_standin/embedded/port_object.h"
#include "host/excel.h"

namespace brackwell::embedded {

class ApplicationObject final : public Application, public PortObject {
public:
    using PortObject::PortObject;
    std::unique_ptr<EventConnection> Advise(AppEvents& sink) override;
    std::string Version() override;
    WindowHandle Hwnd() override;
    WorkbookPtr ActiveWorkbook() override;
    SheetPtr ActiveSheet() override;
    WorkbooksPtr Workbooks() override;
    WindowsPtr Windows() override;
    WindowPtr ActiveWindow() override;
    CommandBarsPtr CommandBars() override;
    FileChoice GetOpenFilename(bool multiSelect) override;
    DialogsPtr Dialogs() override;
    void Goto(const std::string& reference) override;
    void Goto(const RangePtr& reference) override;
    RecentFilesPtr RecentFiles() override;
};

class WorkbooksView final : public Workbooks, public PortObject {
public:
    using PortObject::PortObject;
    std::int32_t Count() override;
    WorkbookPtr Item(std::int32_t index) override;
    WorkbookPtr ItemByName(const std::string& name) override;
    std::vector<WorkbookPtr> Enumerate() override;
    WorkbookPtr Add() override;
    WorkbookPtr Open(const std::string& fileName) override;
};

// Worksheets (worksheets only) or Sheets (all sheets) of one workbook.
class SheetsView final : public Sheets, public PortObject {
public:
    SheetsView(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> wb, bool worksheetsOnly)
        : PortObject(std::move(host)), wb_(std::move(wb)), worksheetsOnly_(worksheetsOnly) {}
    std::int32_t Count() override;
    SheetPtr Item(std::int32_t index) override;
    SheetPtr ItemByName(const std::string& name) override;
    SheetPtr Add() override;

private:
    bool Connected() const override;
    const Workbook* Subject() const override { return wb_.lock().get(); }
    std::weak_ptr<WorkbookObject> wb_;
    bool worksheetsOnly_;
};

// A workbook's windows (one each), or with no workbook the application's:
// every workbook's window, the active one first.
class WindowsView final : public Windows, public PortObject {
public:
    WindowsView(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> wb)
        : PortObject(std::move(host)), wb_(std::move(wb)), ofApplication_(false) {}
    explicit WindowsView(std::weak_ptr<HostCore> host) : PortObject(std::move(host)), ofApplication_(true) {}
    std::int32_t Count() override;
    WindowPtr Item(std::int32_t index) override;

private:
    bool Connected() const override;
    const Workbook* Subject() const override { return wb_.lock().get(); }
    std::weak_ptr<WorkbookObject> wb_;
    bool ofApplication_;
};

class WindowObject final : public Window, public PortObject {
public:
    WindowObject(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> wb)
        : PortObject(std::move(host)), wb_(std::move(wb)) {}
    bool Visible() override;
    WindowHandle Hwnd() override;

private:
    bool Connected() const override;
    const Workbook* Subject() const override { return wb_.lock().get(); }
    std::weak_ptr<WorkbookObject> wb_;
};

class TabObject final : public Tab, public PortObject {
public:
    TabObject(std::weak_ptr<HostCore> host, std::weak_ptr<SheetObject> sheet)
        : PortObject(std::move(host)), sheet_(std::move(sheet)) {}
    std::int32_t ColorIndex() override;
    void SetColorIndex(std::int32_t index) override;

private:
    bool Connected() const override;
    const Workbook* Subject() const override;
    std::string SubjectItem() const override;
    std::weak_ptr<SheetObject> sheet_;
};

class NamesView final : public DefinedNames, public PortObject {
public:
    NamesView(std::weak_ptr<HostCore> host, std::weak_ptr<WorkbookObject> wb)
        : PortObject(std::move(host)), wb_(std::move(wb)) {}
    std::int32_t Count() override;
    DefinedNamePtr Item(std::int32_t index) override;

private:
    bool Connected() const override;
    const Workbook* Subject() const override { return wb_.lock().get(); }
    std::weak_ptr<WorkbookObject> wb_;
};

class RecentFilesView final : public RecentFiles, public PortObject {
public:
    using PortObject::PortObject;
    std::int32_t Count() override;
    RecentFilePtr Item(std::int32_t index) override;
};

// One entry of the recent-file list as it stood when the item was taken.
class RecentFileObject final : public RecentFile, public PortObject {
public:
    RecentFileObject(std::weak_ptr<HostCore> host, std::string fullPath)
        : PortObject(std::move(host)), fullPath_(std::move(fullPath)) {}
    std::string Name() override;
    std::string Path() override;

private:
    std::string fullPath_;
};

class DialogsView final : public Dialogs, public PortObject {
public:
    using PortObject::PortObject;
    DialogPtr Item(std::int32_t index) override;
};

class DialogObject final : public Dialog, public PortObject {
public:
    DialogObject(std::weak_ptr<HostCore> host, std::int32_t number)
        : PortObject(std::move(host)), number_(number) {}
    bool Show() override;

private:
    std::int32_t number_;
};

}  // namespace brackwell::embedded
