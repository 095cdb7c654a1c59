#include "excel_standin/office/com_addins.h"

#include <algorithm>
#include <optional>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_object.h"
#include "excel_standin/office/addin_registry.h"
#include "excel_standin/office/com_addin_object.h"
#include "excel_standin/office/ctp_factory.h"
#include "excel_standin/office/office_windows.h"

namespace brackwell::office {
namespace {

namespace office = win::office;

constexpr std::int32_t kStartedByUser = 1;  // custom(1): 1 user interface, 2 embedded, 3 automation
constexpr DWORD kLoadAtStart = kLoadBehaviorLoaded | kLoadBehaviorAtStartup;

// The by-reference array of Variants each IDTExtensibility2 call gets.
class CustomArray {
public:
    explicit CustomArray(std::optional<std::int32_t> first = std::nullopt)
        : array_(::SafeArrayCreateVector(VT_VARIANT, 1, first ? 1 : 0)) {
        if (array_ && first) {
            LONG index = 1;
            VARIANT value;
            V_VT(&value) = VT_I4;
            V_I4(&value) = *first;
            ::SafeArrayPutElement(array_, &index, &value);
        }
    }
    ~CustomArray() {
        if (array_) ::SafeArrayDestroy(array_);  // whatever the callee left there
    }
    CustomArray(const CustomArray&) = delete;
    CustomArray& operator=(const CustomArray&) = delete;
    SAFEARRAY** Address() noexcept { return &array_; }

private:
    SAFEARRAY* array_;
};

// The stand-in's own texts for the dialog (Excel's wording: UNCONFIRMED).
constexpr wchar_t kNotRegistered[] = L"Nicht geladen. Das COM-Add-In ist nicht registriert.";
constexpr wchar_t kRuntimeError[] = L"Nicht geladen. Beim Laden des COM-Add-Ins ist ein Laufzeitfehler aufgetreten.";
constexpr wchar_t kNoAddIn[] = L"Nicht geladen. Das Objekt ist kein Office-Add-In.";
constexpr wchar_t kRibbonRefused[] = L"Die Menüband-Anpassung wurde abgelehnt: ";

}  // namespace

struct ComAddIns::Loaded {
    std::wstring progId;
    win::ComPtr<IDTExtensibility2> addIn;
    std::shared_ptr<ComAddInState> state;
    win::ComPtr<IDispatch> comAddIn;
    win::ComPtr<IRibbonExtensibility> ribbonExtensibility;
    std::shared_ptr<AddInRibbon> ribbon;
    std::shared_ptr<TaskPaneList> panes;
};

ComAddIns::ComAddIns(std::shared_ptr<OfficeWindows> windows)
    : windows_(std::move(windows)), loaded_(std::make_shared<LoadedList>()) {
    windows_->OnFrameRemoved([list = std::weak_ptr<LoadedList>(loaded_)](HWND frame) {
        if (const auto loaded = list.lock()) {
            for (const auto& addIn : *loaded) {
                if (addIn->ribbon) addIn->ribbon->ForgetFrame(frame);
            }
        }
    });
}

ComAddIns::~ComAddIns() { Shutdown(); }

ComAddIns::Loaded* ComAddIns::Find(const std::wstring& progId) const {
    for (const auto& addIn : *loaded_) {
        if (addIn->progId == progId) return addIn.get();
    }
    return nullptr;
}

std::vector<std::wstring> ComAddIns::LoadedIds() const {
    std::vector<std::wstring> ids;
    for (const auto& addIn : *loaded_) ids.push_back(addIn->progId);
    return ids;
}

void ComAddIns::SetProblem(const std::wstring& progId, std::wstring problem) {
    std::erase_if(problems_, [&](const auto& p) { return p.first == progId; });
    if (!problem.empty()) problems_.emplace_back(progId, std::move(problem));
}

void ComAddIns::Notify(HRESULT (STDMETHODCALLTYPE IDTExtensibility2::*call)(SAFEARRAY**)) noexcept {
    for (const std::wstring& id : LoadedIds()) {
        if (Loaded* addIn = Find(id)) {
            const win::ComPtr<IDTExtensibility2> keep = addIn->addIn;
            CustomArray custom;
            (keep.Get()->*call)(custom.Address());
        }
    }
}

void ComAddIns::Startup() {
    for (const RegisteredAddIn& entry : RegisteredAddIns()) {
        if ((entry.loadBehavior & kLoadAtStart) != kLoadAtStart) continue;
        std::wstring problem;
        // A start that fails disables the add-in softly: 3 becomes 2.
        if (!Load(entry.progId, office::kConnectStartup, problem))
            WriteLoadBehavior(entry.progId, entry.loadBehavior & ~kLoadBehaviorLoaded);
        SetProblem(entry.progId, problem);
    }
    Notify(&IDTExtensibility2::OnAddInsUpdate);
    Notify(&IDTExtensibility2::OnStartupComplete);
}

bool ComAddIns::Load(const std::wstring& progId, int connectMode, std::wstring& problem) {
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(progId.c_str(), &clsid))) {
        problem = kNotRegistered;
        return false;
    }
    win::ComPtr<IUnknown> object;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                  object.ReceiveVoid())) ||
        !object) {
        problem = kRuntimeError;
        return false;
    }
    auto loaded = std::make_unique<Loaded>();
    loaded->progId = progId;
    loaded->addIn = object.Query<IDTExtensibility2>();
    if (!loaded->addIn) {
        problem = kNoAddIn;
        return false;
    }
    loaded->state = std::make_shared<ComAddInState>();
    loaded->state->progId = progId;
    loaded->state->description = FindRegisteredAddIn(progId).description;
    loaded->comAddIn = MakeComAddInObject(loaded->state, windows_->Application());
    {
        CustomArray custom(kStartedByUser);
        const win::ComPtr<IDTExtensibility2> addIn = loaded->addIn;
        if (FAILED(addIn->OnConnection(windows_->Application().Get(), connectMode, loaded->comAddIn.Get(),
                                       custom.Address()))) {
            loaded->state->object.Reset();
            problem = kRuntimeError;
            return false;  // released with `loaded`
        }
    }
    loaded->state->connected = true;
    Loaded& addIn = *loaded;
    loaded_->push_back(std::move(loaded));

    // The ribbon: the add-in's XML for Excel's one ribbon, applied whole or not at all.
    addIn.ribbonExtensibility = object.Query<IRibbonExtensibility>();
    if (addIn.ribbonExtensibility) {
        win::Bstr xml;
        const win::Bstr ribbonId(std::wstring_view(office::kExcelRibbonId));
        if (SUCCEEDED(addIn.ribbonExtensibility->GetCustomUI(ribbonId.Get(), xml.Receive())) && !xml.View().empty()) {
            ParsedCustomUi parsed = ParseCustomUi(xml.View());
            if (parsed.ui) {
                addIn.ribbon = std::make_shared<AddInRibbon>(
                    win::ComPtr<IDispatch>(addIn.ribbonExtensibility.Get()), std::move(*parsed.ui), windows_);
                addIn.ribbon->Load();
                windows_->RibbonChanged();
            } else {
                problem = kRibbonRefused + parsed.error;
            }
        }
    }
    // The task panes.
    if (const auto consumer = object.Query<ICustomTaskPaneConsumer>()) {
        addIn.panes = std::make_shared<TaskPaneList>();
        const auto factory = win::MakeComObject<CtpFactory>(windows_, addIn.panes);
        consumer->CTPFactoryAvailable(factory.Get());
    }
    return true;
}

void ComAddIns::Unload(const std::wstring& progId, int removeMode) noexcept {
    Loaded* found = Find(progId);
    if (!found) return;
    {
        const win::ComPtr<IDTExtensibility2> keep = found->addIn;
        CustomArray custom;
        keep->OnDisconnection(removeMode, custom.Address());
    }
    const auto at = std::find_if(loaded_->begin(), loaded_->end(), [&](const auto& a) { return a->progId == progId; });
    if (at == loaded_->end()) return;
    std::unique_ptr<Loaded> addIn = std::move(*at);
    loaded_->erase(at);
    if (addIn->ribbon) addIn->ribbon->Detach();
    windows_->RibbonChanged();
    if (addIn->panes) addIn->panes->DeleteAll();
    addIn->state->connected = false;
    addIn->state->object.Reset();
}

bool ComAddIns::Connect(const std::wstring& progId) {
    if (closed_ || Find(progId)) return Find(progId) != nullptr;
    std::wstring problem;
    const bool loaded = Load(progId, office::kConnectAfterStartup, problem);
    SetProblem(progId, problem);
    if (!loaded) return false;
    const RegisteredAddIn entry = FindRegisteredAddIn(progId);
    if (!entry.progId.empty()) WriteLoadBehavior(progId, entry.loadBehavior | kLoadBehaviorLoaded);  // 2 becomes 3
    Notify(&IDTExtensibility2::OnAddInsUpdate);
    return true;
}

bool ComAddIns::Disconnect(const std::wstring& progId) {
    if (!Find(progId)) return false;
    Unload(progId, office::kDisconnectUserClosed);
    const RegisteredAddIn entry = FindRegisteredAddIn(progId);
    if (!entry.progId.empty()) WriteLoadBehavior(progId, entry.loadBehavior & ~kLoadBehaviorLoaded);
    Notify(&IDTExtensibility2::OnAddInsUpdate);
    return true;
}

void ComAddIns::Shutdown() noexcept {
    if (closed_) return;
    closed_ = true;
    Notify(&IDTExtensibility2::OnBeginShutdown);
    for (const std::wstring& id : LoadedIds()) Unload(id, office::kDisconnectHostShutdown);
}

std::vector<ComAddInEntry> ComAddIns::List() const {
    std::vector<ComAddInEntry> list;
    for (const RegisteredAddIn& entry : RegisteredAddIns()) {
        ComAddInEntry line{entry.progId, entry.friendlyName, entry.description, entry.loadBehavior,
                           Find(entry.progId) != nullptr, {}};
        for (const auto& [id, text] : problems_) {
            if (id == entry.progId) line.problem = text;
        }
        list.push_back(std::move(line));
    }
    return list;
}

std::vector<std::shared_ptr<AddInRibbon>> ComAddIns::Ribbons() const {
    std::vector<std::shared_ptr<AddInRibbon>> ribbons;
    for (const auto& addIn : *loaded_) {
        if (addIn->ribbon) ribbons.push_back(addIn->ribbon);
    }
    return ribbons;
}

std::size_t ComAddIns::TaskPaneCount() const {
    std::size_t count = 0;
    for (const auto& addIn : *loaded_) {
        if (addIn->panes) count += addIn->panes->Panes().size();
    }
    return count;
}

}  // namespace brackwell::office
