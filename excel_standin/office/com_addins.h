#pragma once
// Excel's COM add-ins (Excel 2007 and later), loaded as Excel loads them from
// the user's list (addin_registry.h):
//   start:    every add-in whose LoadBehavior has the at-startup bit:
//             CoCreateInstance of its ProgID, IDTExtensibility2::OnConnection
//             (Application, ext_cm_Startup, its COMAddIn object, custom with
//             element 1 = 1, Excel started by the user), then the ribbon
//             (IRibbonExtensibility::GetCustomUI("Microsoft.Excel.Workbook"),
//             the XML accepted or refused as a whole, onLoad with IRibbonUI),
//             then the task panes (ICustomTaskPaneConsumer::
//             CTPFactoryAvailable); once all are loaded, OnAddInsUpdate and
//             OnStartupComplete to each. An add-in whose object cannot be
//             made or whose OnConnection fails is released, and a
//             LoadBehavior of 3 becomes 2 (Office's soft disable).
//   dialog:   Connect loads one after the start (ext_cm_AfterStartup, no
//             OnStartupComplete: Excel's behaviour UNCONFIRMED) and sets the
//             loaded bit; Disconnect unloads one (OnDisconnection with
//             ext_dm_UserClosed) and clears it; the others hear
//             OnAddInsUpdate either way.
//   closing:  OnBeginShutdown to every loaded add-in, then to each
//             OnDisconnection(ext_dm_HostShutdown) and release.
// When an add-in goes, its ribbon controls go from every window and the
// task panes it left are deleted (Office's exact clean-up: UNCONFIRMED).
// The order of the ribbon and the task-pane calls after OnConnection is
// UNCONFIRMED; `custom`'s lower bound is 1 (UNCONFIRMED).

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/office/office_interfaces.h"
#include "excel_standin/office/addin_ribbon.h"

namespace brackwell::office {

class OfficeWindows;
class TaskPaneList;
struct ComAddInState;

// One line of the COM Add-ins dialog.
struct ComAddInEntry {
    std::wstring progId;
    std::wstring friendlyName;
    std::wstring description;
    DWORD loadBehavior = 0;
    bool loaded = false;
    std::wstring problem;  // why the last load failed, or why the ribbon XML was refused
};

class ComAddIns {
public:
    explicit ComAddIns(std::shared_ptr<OfficeWindows> windows);
    ~ComAddIns();  // closes as Excel closes, unless that was done
    ComAddIns(const ComAddIns&) = delete;
    ComAddIns& operator=(const ComAddIns&) = delete;

    void Startup();
    void Shutdown() noexcept;

    std::vector<ComAddInEntry> List() const;
    bool Connect(const std::wstring& progId);
    bool Disconnect(const std::wstring& progId);

    // The ribbons of the loaded add-ins whose XML was accepted, in load order.
    std::vector<std::shared_ptr<AddInRibbon>> Ribbons() const;
    // The task panes the loaded add-ins have made and not deleted.
    std::size_t TaskPaneCount() const;

private:
    struct Loaded;
    using LoadedList = std::vector<std::unique_ptr<Loaded>>;
    bool Load(const std::wstring& progId, int connectMode, std::wstring& problem);
    void Unload(const std::wstring& progId, int removeMode) noexcept;
    Loaded* Find(const std::wstring& progId) const;
    // The loaded add-ins now; one may go while another is called.
    std::vector<std::wstring> LoadedIds() const;
    void Notify(HRESULT (STDMETHODCALLTYPE IDTExtensibility2::*call)(SAFEARRAY**)) noexcept;
    void SetProblem(const std::wstring& progId, std::wstring problem);

    std::shared_ptr<OfficeWindows> windows_;
    std::shared_ptr<LoadedList> loaded_;
    std::vector<std::pair<std::wstring, std::wstring>> problems_;  // ProgID, text
    bool closed_ = false;
};

}  // namespace brackwell::office
