#pragma once
// One navigator of the real brackwell.dll on a fresh embedded host behind
// its automation facade, docked in a host window: what each run of the COM
// fault sample and the full session start from.
//
//   Umsatz.xlsx (saved): Übersicht, 売上 (tab colour 3), Daten (protected), name Bereich
//   Mappe2 (never saved): Tabelle1, Tabelle2

#include <windows.h>

#include <oaidl.h>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/windows/common/com_ptr.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows_com/host_window.h"

namespace brackwell::win::test {

class ComScene {
public:
    // `dock`: CreateNavBar during set-up.
    ComScene(HostWindow& window, bool dock);
    ~ComScene();
    ComScene(const ComScene&) = delete;
    ComScene& operator=(const ComScene&) = delete;

    // A facade object reached by members from the application.
    ComPtr<IDispatch> Reach(std::initializer_list<const wchar_t*> path);

    embedded::EmbeddedExcel excel{"11.0"};
    ComPtr<IDispatch> app;
    ComPtr<IDispatch> nav;
    HRESULT created = E_FAIL;
    // Arguments a run hands on, fetched before its calls are counted.
    ComPtr<IDispatch> book;
    WorkbookPtr argument;
};

// The navigator by its ProgID, as CreateObject makes it.
ComPtr<IDispatch> CreateWayfinder(HRESULT& hr);

}  // namespace brackwell::win::test
