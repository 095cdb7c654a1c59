#pragma once
// The port objects of host/excel.h over late-bound host objects. Each Make
// function gives an empty pointer when `object` is Nothing.

#include <memory>
#include <utility>

#include "adapters/windows/automation/late_bound.h"
#include "host/automation_error.h"
#include "host/excel.h"

namespace brackwell::win {

ApplicationPtr MakeHostApplication(LateBound object);
WorkbooksPtr MakeHostWorkbooks(LateBound object);
WorkbookPtr MakeHostWorkbook(LateBound object);
WindowsPtr MakeHostWindows(LateBound object);
WindowPtr MakeHostWindow(LateBound object);
SheetsPtr MakeHostSheets(LateBound object);
SheetPtr MakeHostSheet(LateBound object);
TabPtr MakeHostTab(LateBound object);
DefinedNamesPtr MakeHostNames(LateBound object);
DefinedNamePtr MakeHostName(LateBound object);
RangePtr MakeHostRange(LateBound object);
RecentFilesPtr MakeHostRecentFiles(LateBound object);
RecentFilePtr MakeHostRecentFile(LateBound object);
DialogsPtr MakeHostDialogs(LateBound object);
DialogPtr MakeHostDialog(LateBound object);
CommandBarsPtr MakeHostCommandBars(LateBound object);
CommandBarPtr MakeHostCommandBar(LateBound object);
CommandBarControlsPtr MakeHostCommandBarControls(LateBound object);
CommandBarButtonPtr MakeHostCommandBarButton(LateBound object);

// The host object behind a sheet this adapter made; any other sheet (one of
// another host) is error 13, as the host itself would refuse it.
IDispatch* HostSheetDispatch(const SheetPtr& sheet);
IDispatch* HostRangeDispatch(const RangePtr& range);  // the same for a range
// Likewise the host object behind a window (the window a task pane goes to).
IDispatch* HostWindowDispatch(const WindowPtr& window);

// The result of GetOpenFilename: False, one name, or an array of names.
FileChoice FileChoiceFromVariant(const VARIANT& value);

// The base of a port object over one host object.
template <class PortType>
class HostObject : public PortType {
public:
    using Port = PortType;  // what MakeUnlessNothing makes
    explicit HostObject(LateBound object) : object_(std::move(object)) {}

protected:
    LateBound object_;
};

// Makes a port object over `object`, or an empty pointer for Nothing; from
// the memory the objects of its application share.
template <class Impl, class Port = typename Impl::Port>
std::shared_ptr<Port> MakeUnlessNothing(LateBound object) {
    if (object.IsNothing()) return {};
    const std::shared_ptr<DispIdRegistry> registry = object.Registry();  // the object moves on
    return shared::MakePooled<Impl>(registry->PortMemory(), std::move(object));
}

}  // namespace brackwell::win
