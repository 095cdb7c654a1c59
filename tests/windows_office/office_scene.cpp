#include "tests/windows_office/office_scene.h"

#include "adapters/windows/ui/window_class.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/office/key_routing.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::office::test {

using win::test::Get;
using win::test::ObjectOf;

OfficeScene::OfficeScene(const std::string& version, DWORD loadBehavior)
    : classes(loadBehavior), excel(version) {
    AddInLog().Reset();
    application = win::MakeApplicationFacade(excel.App());
    windows = std::make_shared<OfficeWindows>(application);
    if (std::stoi(version) >= 15) {
        excel.SetWindowMaker([this](const std::string& caption) { return WindowHandle(MakeFrame(caption)); },
                             [this](WindowHandle frame) { DestroyFrame(reinterpret_cast<HWND>(frame)); });
    } else {
        main_ = MakeFrame("Microsoft Excel");
        excel.SetHwnd(WindowHandle(main_));
    }
    excel.CreateWorkbook("Mappe1.xlsx");
    excel.CreateWorkbook("Mappe2.xlsx");
    addIns = std::make_unique<ComAddIns>(windows);
}

OfficeScene::~OfficeScene() {
    addIns.reset();
    excel.SetWindowMaker(nullptr, nullptr);
    for (auto& [frame, area] : areas_) {
        windows->RemoveFrame(frame);
        area.reset();
        ::DestroyWindow(frame);
    }
    AddInLog().Reset();
}

HWND OfficeScene::MakeFrame(const std::string& caption) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    win::EnsureWindowClass(instance, L"XLMAIN", ::DefWindowProcW, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    HWND frame = ::CreateWindowExW(0, L"XLMAIN", std::wstring(caption.begin(), caption.end()).c_str(),
                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, nullptr, instance,
                                   nullptr);
    // The area stands at the window's left edge, as wide as its panes.
    auto placed = std::make_shared<TaskPaneArea*>(nullptr);
    auto area = std::make_unique<TaskPaneArea>(instance, frame, [placed] {
        ::MoveWindow((*placed)->Window(), 0, 0, (*placed)->Width(), 560, TRUE);
    });
    *placed = area.get();
    ::MoveWindow(area->Window(), 0, 0, 0, 560, FALSE);
    windows->AddFrame(frame, area->Window(), [this, frame] { ++redraws_[frame]; });
    areas_[frame] = std::move(area);
    return frame;
}

void OfficeScene::DestroyFrame(HWND frame) {
    windows->RemoveFrame(frame);
    areas_.erase(frame);
    ::DestroyWindow(frame);
}

HWND OfficeScene::Frame(const std::string& workbook) {
    if (main_) return main_;
    return reinterpret_cast<HWND>(excel.WindowOf(excel.App()->Workbooks()->ItemByName(workbook)));
}

HWND OfficeScene::Area(HWND frame) { return windows->TaskPaneAreaOf(frame); }

win::ComPtr<IDispatch> OfficeScene::WindowObject(const std::string& workbook) {
    const auto wb = ObjectOf(Get(ObjectOf(Get(application.Get(), L"Workbooks")).Get(), L"Item",
                                 {win::Variant::Text(workbook)}));
    return ObjectOf(Get(wb.Get(), L"Windows", {win::Variant::Int32(1)}));
}

HWND OfficeScene::HwndOf(IDispatch* object) {
    const auto result = Get(object, L"Hwnd");
    return SUCCEEDED(result.hr) ? reinterpret_cast<HWND>(static_cast<INT_PTR>(V_I4(&result.value.Get()))) : nullptr;
}

void PumpHostMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchHostMessage(message);
}

}  // namespace brackwell::office::test
