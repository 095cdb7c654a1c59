#pragma once
// One add-in's part of the ribbon, as Office keeps it: the controls of its
// accepted customUI, in every window's ribbon (Excel 2013 and later put
// them on each workbook window's ribbon), each window with its own cache of
// the toggles' getPressed answers. A window asks for a toggle's state when
// it draws its ribbon and has none cached; Invalidate and InvalidateControl
// empty the caches of every window and tell the windows' ribbons to draw
// again (Office asks again when it redraws, not inside the call). A click
// calls onAction with an IRibbonControl whose Context is the window's Window
// object, a toggle with its new state as well, which the window keeps.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"
#include "excel_standin/office/ribbon_objects.h"
#include "excel_standin/office/ribbon_xml.h"

namespace brackwell::office {

class OfficeWindows;

class AddInRibbon final : public RibbonInvalidation, public std::enable_shared_from_this<AddInRibbon> {
public:
    // `callbacks`: the add-in's IRibbonExtensibility object, by whose
    // IDispatch the callbacks are reached.
    AddInRibbon(win::ComPtr<IDispatch> callbacks, CustomUi ui, std::shared_ptr<OfficeWindows> windows);

    // customUI's onLoad with the IRibbonUI object.
    void Load();
    const CustomUi& Ui() const noexcept { return ui_; }

    bool Pressed(HWND frame, const RibbonControlSpec& control);
    void Click(HWND frame, const RibbonControlSpec& control);
    // Finds a control of the add-in by id; null when there is none.
    const RibbonControlSpec* Find(const std::wstring& id) const;

    void ForgetFrame(HWND frame) { pressed_.erase(frame); }
    // The add-in goes: no more callbacks, and IRibbonUI falls silent.
    void Detach() noexcept;

    // RibbonInvalidation
    void InvalidateAll() override;
    void InvalidateControl(const std::wstring& id) override;

    // How the toggle's state goes to onAction: VT_BOOL, by value (Office's
    // VARTYPE is UNCONFIRMED; the documented C++ form is VARIANT_BOOL*).
    static win::Variant PressedArgument(bool pressed) { return win::Variant::Bool(pressed); }

private:
    win::ComPtr<IRibbonControl> ControlFor(HWND frame, const RibbonControlSpec& control);

    win::ComPtr<IDispatch> callbacks_;
    CustomUi ui_;
    std::weak_ptr<OfficeWindows> windows_;
    win::ComPtr<IRibbonUI> ribbonUi_;
    std::map<HWND, std::map<std::wstring, bool>> pressed_;
};

}  // namespace brackwell::office
