#pragma once
// The facade objects of the port objects, made through one overloaded Wrap:
// the facade of a port object as an Invoke result, Nothing for an empty
// pointer, the same facade object for the same port object while it lives.

#include <memory>

#include "adapters/windows/common/variant.h"
#include "excel_standin/facade/facade_context.h"
#include "host/automation_error.h"
#include "host/excel.h"

namespace brackwell::win {

using FacadeContextPtr = std::shared_ptr<FacadeContext>;

Variant Wrap(const FacadeContextPtr& context, const WorkbooksPtr& port);
Variant Wrap(const FacadeContextPtr& context, const WorkbookPtr& port);
Variant Wrap(const FacadeContextPtr& context, const WindowsPtr& port);
Variant Wrap(const FacadeContextPtr& context, const WindowPtr& port);
Variant Wrap(const FacadeContextPtr& context, const SheetsPtr& port);
Variant Wrap(const FacadeContextPtr& context, const SheetPtr& port);
Variant Wrap(const FacadeContextPtr& context, const TabPtr& port);
Variant Wrap(const FacadeContextPtr& context, const DefinedNamesPtr& port);
Variant Wrap(const FacadeContextPtr& context, const DefinedNamePtr& port);
Variant Wrap(const FacadeContextPtr& context, const RangePtr& port);
Variant Wrap(const FacadeContextPtr& context, const RecentFilesPtr& port);
Variant Wrap(const FacadeContextPtr& context, const RecentFilePtr& port);
Variant Wrap(const FacadeContextPtr& context, const DialogsPtr& port);
Variant Wrap(const FacadeContextPtr& context, const DialogPtr& port);
Variant Wrap(const FacadeContextPtr& context, const CommandBarsPtr& port);
Variant Wrap(const FacadeContextPtr& context, const CommandBarPtr& port);
Variant Wrap(const FacadeContextPtr& context, const CommandBarControlsPtr& port);
Variant Wrap(const FacadeContextPtr& context, const CommandBarButtonPtr& port);

// The port sheet behind a facade sheet handed back as an argument; empty when
// `object` is not one.
SheetPtr PortSheetOf(IDispatch* object) noexcept;
RangePtr PortRangeOf(IDispatch* object) noexcept;  // the same for a range

// An IEnumVARIANT over a snapshot of `items` (For Each).
ComPtr<IEnumVARIANT> MakeVariantEnumerator(std::vector<Variant> items);

}  // namespace brackwell::win
