// Application over the host's application object.

#include <utility>

#include "adapters/windows/automation/app_events_sink.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostApplication final : public HostObject<Application> {
public:
    using HostObject::HostObject;

    std::unique_ptr<EventConnection> Advise(AppEvents& sink) override {
        return AdviseAppEvents(object_, sink);
    }
    std::string Version() override { return ToUtf8(object_.Get(L"Version").Get()); }
    WindowHandle Hwnd() override {
        // The host gives a Long; window handles keep their meaning in 32 bits
        // and widen sign-extended, as LongToHandle does.
        return static_cast<WindowHandle>(ToInt32(object_.Get(L"Hwnd").Get()));
    }
    WorkbookPtr ActiveWorkbook() override { return MakeHostWorkbook(object_.GetChild(L"ActiveWorkbook")); }
    SheetPtr ActiveSheet() override { return MakeHostSheet(object_.GetChild(L"ActiveSheet")); }
    WorkbooksPtr Workbooks() override { return MakeHostWorkbooks(object_.GetChild(L"Workbooks")); }
    WindowsPtr Windows() override { return MakeHostWindows(object_.GetChild(L"Windows")); }
    WindowPtr ActiveWindow() override { return MakeHostWindow(object_.GetChild(L"ActiveWindow")); }
    CommandBarsPtr CommandBars() override { return MakeHostCommandBars(object_.GetChild(L"CommandBars")); }
    FileChoice GetOpenFilename(bool multiSelect) override {
        // File filter, filter index, title and button text are left to the host.
        const Variant choice = object_.Get(
            L"GetOpenFilename", Args(Variant::Missing(), Variant::Missing(), Variant::Missing(),
                                     Variant::Missing(), Variant::Bool(multiSelect)));
        return FileChoiceFromVariant(choice.Get());
    }
    DialogsPtr Dialogs() override { return MakeHostDialogs(object_.GetChild(L"Dialogs")); }
    void Goto(const std::string& reference) override {
        object_.Call(L"Goto", Args(Variant::Text(reference)));  // Scroll omitted
    }
    void Goto(const RangePtr& reference) override {
        object_.Call(L"Goto", Args(Variant::Object(ComPtr<IDispatch>(HostRangeDispatch(reference)))));
    }
    RecentFilesPtr RecentFiles() override { return MakeHostRecentFiles(object_.GetChild(L"RecentFiles")); }
};

}  // namespace

ApplicationPtr MakeHostApplication(LateBound object) {
    return MakeUnlessNothing<HostApplication>(std::move(object));
}

ApplicationPtr WrapApplication(IDispatch* application) {
    if (application == nullptr) Raise(err::kObjectNotSet);
    return MakeHostApplication(
        LateBound(ComPtr<IDispatch>(application), std::make_shared<DispIdRegistry>()));
}

}  // namespace brackwell::win
