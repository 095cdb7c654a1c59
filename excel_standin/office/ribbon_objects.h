#pragma once
// The objects Office hands to ribbon callbacks (both dual, with a vtable and
// IDispatch by their DISPIDs):
// - IRibbonControl, the control a callback is about: Id and Tag from the XML,
//   Context the Window object of the window whose ribbon it is;
// - IRibbonUI, which onLoad receives: Invalidate and InvalidateControl make
//   every window's ribbon ask the add-in's callbacks again. Once the add-in's
//   ribbon is gone (the add-in unloaded) they do nothing.

#include <windows.h>

#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/office/office_interfaces.h"

namespace brackwell::office {

win::ComPtr<IRibbonControl> MakeRibbonControl(std::wstring id, std::wstring tag, win::ComPtr<IDispatch> context);

class RibbonInvalidation {
public:
    virtual void InvalidateAll() = 0;
    virtual void InvalidateControl(const std::wstring& id) = 0;

protected:
    ~RibbonInvalidation() = default;
};

win::ComPtr<IRibbonUI> MakeRibbonUi(std::weak_ptr<RibbonInvalidation> target);

}  // namespace brackwell::office
