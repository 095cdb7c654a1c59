#include "tests/windows_reliability/com_scene.h"

#include <objbase.h>

#include "excel_standin/facade/application_facade.h"
#include "tests/windows/message_pump.h"

namespace brackwell::win::test {

ComPtr<IDispatch> CreateWayfinder(HRESULT& hr) {
    CLSID clsid{};
    ComPtr<IDispatch> navigator;
    hr = CLSIDFromProgID(L"Brackwell.Wayfinder", &clsid);
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, navigator.ReceiveVoid());
    return navigator;
}

ComScene::ComScene(HostWindow& window, bool dock) {
    excel.SetHwnd(reinterpret_cast<WindowHandle>(window.Main()));
    const WorkbookPtr umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
    excel.SetTabColor(umsatz->Worksheets()->Item(2), 3);
    excel.SetSheetProtection(umsatz->Worksheets()->Item(3), true);
    excel.AddName(umsatz, "Bereich", "=Übersicht!$A$1:$C$3");
    excel.CreateWorkbook("Mappe2", {"Tabelle1", "Tabelle2"});
    excel.ActivateSilently(umsatz);

    app = MakeApplicationFacade(excel.App());
    nav = CreateWayfinder(created);
    if (!nav) return;
    PutRef(nav.Get(), L"mExcel", Variant::Object(app));
    if (dock) Call(nav.Get(), L"CreateNavBar");
    PumpMessages();
}

ComScene::~ComScene() {
    book.Reset();
    argument.reset();
    nav.Reset();  // the pane and the bar go with the last reference
    PumpMessages();
    app.Reset();
}

ComPtr<IDispatch> ComScene::Reach(std::initializer_list<const wchar_t*> path) {
    ComPtr<IDispatch> object = app;
    for (const wchar_t* member : path) {
        if (object) object = ObjectOf(Get(object.Get(), member));
    }
    return object;
}

}  // namespace brackwell::win::test
