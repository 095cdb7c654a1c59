// The COM add-in of the real brackwell.dll under Wine, driven as Excel 2016
// drives it through the fake Office host, with the task pane control hosted
// by Wine's ATL container.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <algorithm>
#include <atomic>
#include <map>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/utf.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_addin/addin_fixture.h"
#include "tests/windows_com/host_window.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

bool Has(const std::vector<std::wstring>& items, const wchar_t* item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

// An XML document as XmlLite reads it: each element's name, then one
// "element attribute=value" for each of its attributes.
std::vector<std::wstring> ReadXml(const std::wstring& text) {
    using Create = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    const auto create = reinterpret_cast<Create>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"xmllite.dll"), "CreateXmlReader")));
    const auto input = ComPtr<IStream>::Adopt(SHCreateMemStream(reinterpret_cast<const BYTE*>(text.c_str()),
                                                                static_cast<UINT>(text.size() * sizeof(wchar_t))));
    ComPtr<IXmlReader> reader;
    std::vector<std::wstring> read;
    if (!create || FAILED(create(__uuidof(IXmlReader), reader.ReceiveVoid(), nullptr)) ||
        FAILED(reader->SetInput(input.Get())))
        return read;
    XmlNodeType type{};
    while (reader->Read(&type) == S_OK) {
        if (type != XmlNodeType_Element) continue;
        const wchar_t* element = nullptr;
        const wchar_t* name = nullptr;
        const wchar_t* value = nullptr;
        reader->GetLocalName(&element, nullptr);
        const std::wstring prefix = element + std::wstring(L" ");
        read.push_back(element);
        for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK; hr = reader->MoveToNextAttribute()) {
            reader->GetLocalName(&name, nullptr);
            reader->GetValue(&value, nullptr);
            read.push_back(prefix + name + L"=" + value);
        }
    }
    return read;
}

TEST_F(AddInTest, TheRibbonGroupIsValidXmlWhoseCallbacksTheAddInAnswersByName) {
    const auto ribbon = addin.Query<IRibbonExtensibility>();
    ASSERT_TRUE(ribbon);
    Bstr xml;
    ASSERT_EQ(ribbon->GetCustomUI(Bstr(std::wstring_view(office::kExcelRibbonId)).Get(), xml.Receive()), S_OK);
    const std::vector<std::wstring> read = ReadXml(std::wstring(xml.View()));
    for (const wchar_t* part : {L"tab idMso=TabHome", L"group label=Brackwell", L"toggleButton label=Navigator",
                                L"button label=Aktualisieren"})
        EXPECT_TRUE(Has(read, part)) << WideToUtf8(part);
    // Every callback the document names is one the add-in's ribbon resolves.
    int callbacks = 0;
    for (const std::wstring& line : read) {
        for (const std::wstring callback : {L" onLoad=", L" getPressed=", L" onAction="}) {
            const std::size_t at = line.find(callback);
            if (at == std::wstring::npos) continue;
            ++callbacks;
            EXPECT_NE(IdOf(ribbon.Get(), line.substr(at + callback.size()).c_str()), DISPID_UNKNOWN) << WideToUtf8(line);
        }
    }
    EXPECT_EQ(callbacks, 4);
    // GetCustomUI by name as well; unknown names are refused.
    EXPECT_EQ(Call(ribbon.Get(), L"GetCustomUI", {Variant::Text(L"Microsoft.Excel.Workbook")}).value.Get().bstrVal,
              std::wstring(xml.View()));
    EXPECT_EQ(IdOf(ribbon.Get(), L"Brackwell_Unbekannt"), DISPID_UNKNOWN);
}

int Width(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

TEST_F(AddInTest, ThePaneFillsTheActiveWindowsTaskPaneMovesWithItAndFollowsToggleCloseBoxAndKeys) {
    ASSERT_EQ(Connect(app.Get()), S_OK);
    PumpMessages();
    // A task pane for each workbook window (the active one's at once, the
    // other's from the message loop): left, at a side only, 215 pixels in points.
    PumpMessagesUntil([&] { return office->panes.size() >= 2; });
    ASSERT_EQ(office->panes.size(), 2u);
    for (const auto& pane : office->panes) {
        EXPECT_TRUE(pane->visible);
        EXPECT_EQ(pane->dock, office::kDockLeft);
        EXPECT_EQ(pane->restrict, office::kRestrictNoHorizontal);
        EXPECT_EQ(pane->widthPoints, 161);
    }
    // ATL activated the control in place: its window is the container's
    // child, as wide; the pane's form fills it.
    const HWND tree = Tree();
    ASSERT_TRUE(tree);
    HWND content = Content(WindowOf(mappe));
    ASSERT_TRUE(content);
    EXPECT_EQ(GetParent(content), office->PaneOf(WindowOf(mappe))->frame);
    EXPECT_EQ(Width(content), 215);
    EXPECT_TRUE(IsChild(content, tree));
    const HWND form = GetWindow(content, GW_CHILD);
    EXPECT_EQ(Width(form), 215);
    EXPECT_TRUE(Has(TreeItems(), L"Umsatz.xlsx") && Has(TreeItems(), L"Mappe2"));
    // The host widens the task pane: the control's window and the form follow at once.
    office->PaneOf(WindowOf(mappe))->put_Width(240);
    EXPECT_EQ(Width(content), 320);
    EXPECT_EQ(Width(form), 320);

    // Another window becomes active: the same tree moves into its task pane.
    excel.App()->Workbooks()->ItemByName("Umsatz.xlsx")->Activate();
    PumpMessages();
    content = Content(WindowOf(umsatz));
    EXPECT_TRUE(IsChild(content, tree));

    // Keys a host routes to the active control: the pane's own are handled
    // there, the host's shortcuts and other windows' keys are not.
    const auto active = AtlControl(office->PaneOf(WindowOf(umsatz))->frame).Query<IOleInPlaceActiveObject>();
    ASSERT_TRUE(active);
    const HTREEITEM first = TreeView_GetRoot(tree);
    TreeView_SelectItem(tree, first);
    MSG key{tree, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_EQ(active->TranslateAccelerator(&key), S_OK);
    EXPECT_EQ(TreeView_GetSelection(tree), TreeView_GetNextVisible(tree, first));
    key.hwnd = WindowOf(umsatz);
    EXPECT_EQ(active->TranslateAccelerator(&key), S_FALSE);
    MSG shortcut{tree, WM_KEYDOWN, 'S', 0, 0, {}};
    HoldKey(VK_CONTROL, true);
    EXPECT_EQ(active->TranslateAccelerator(&shortcut), S_FALSE);
    HoldKey(VK_CONTROL, false);

    // The ribbon's toggle, called by name: pressed as VT_BOOL and by reference.
    EXPECT_TRUE(Pressed());
    EXPECT_EQ(Callback(L"Brackwell_NavigatorClick", {Variant::Bool(false)}).hr, S_OK);
    for (const auto& pane : office->panes) EXPECT_FALSE(pane->visible);
    EXPECT_FALSE(Pressed());
    VARIANT_BOOL pressed = VARIANT_TRUE;
    EXPECT_EQ(Callback(L"Brackwell_NavigatorClick", {Variant::BoolByRef(&pressed)}).hr, S_OK);
    for (const auto& pane : office->panes) EXPECT_TRUE(pane->visible);
    EXPECT_TRUE(IsWindowVisible(tree));
    // The close box hides every pane, and the ribbon reads the toggle again.
    office->invalidated.clear();
    office->PaneOf(WindowOf(umsatz))->UserCloses();
    for (const auto& pane : office->panes) EXPECT_FALSE(pane->visible);
    EXPECT_EQ(office->invalidated, std::vector<std::wstring>{L"tglNavigator"});
    EXPECT_FALSE(Pressed());
    EXPECT_EQ(Callback(L"Brackwell_NavigatorClick", {Variant::Bool(true)}).hr, S_OK);

    // The workbook whose window holds the pane closes: the pane leaves the
    // window before it goes and lands in the next active window's.
    excel.App()->Workbooks()->ItemByName("Umsatz.xlsx")->Close(false);
    PumpMessages();
    ASSERT_TRUE(IsWindow(tree));
    EXPECT_TRUE(IsChild(Content(WindowOf(mappe)), tree));
    EXPECT_TRUE(IsWindowVisible(tree));
    EXPECT_FALSE(Has(TreeItems(), L"Umsatz.xlsx"));

    // "Aktualisieren" reads a workbook that came without any event.
    excel.CreateWorkbook("Neu.xlsx", {"Blatt"});
    EXPECT_FALSE(Has(TreeItems(), L"Neu.xlsx"));
    EXPECT_EQ(Callback(L"Brackwell_RefreshClick").hr, S_OK);
    EXPECT_TRUE(Has(TreeItems(), L"Neu.xlsx"));

    // A host that destroys the control's window itself: the pane leaves it first.
    DestroyWindow(Content(WindowOf(mappe)));
    EXPECT_TRUE(IsWindow(tree));
}

// Excel unloads the add-in (its COM Add-ins dialog) from inside the loop of
// the pane's menu, which `openMenu` opens: the menu is cancelled, and the
// stop, which must wait for the menu's call to return, keeps the DLL loaded
// until it has run from the message loop.
void UnloadInsideTheMenu(AddInTest& test, ComPtr<IDTExtensibility2>& addin, const std::function<void()>& openMenu) {
    HRESULT unloaded = E_FAIL;
    HRESULT unloadableMeanwhile = S_OK;
    test.OnPosted([&] {
        unloaded = addin->OnDisconnection(office::kDisconnectUserClosed, nullptr);
        addin.Reset();
        unloadableMeanwhile = ServerDll::Get().DllCanUnloadNow();
    });
    std::atomic<bool> closedByItself = false;
    {
        ModalAnswerer menu(L"#32768", [&](HWND shown) {
            test.Post();
            closedByItself = WaitFor([&] { return !IsWindowVisible(shown); }, std::chrono::seconds(5));
            if (!closedByItself) PostKey(shown, VK_ESCAPE);
        });
        openMenu();
        EXPECT_TRUE(PumpUntil([&] { return menu.Answered(); }));
    }
    EXPECT_TRUE(closedByItself) << "the unload cancels the open menu";
    EXPECT_EQ(unloaded, S_OK);
    EXPECT_EQ(unloadableMeanwhile, S_FALSE) << "the stop waits for the menu's call, with the DLL loaded";
}

TEST_F(AddInTest, UnloadedWhileThePanesMenuIsOpenTheAddInStopsOnceTheMenuHasClosed) {
    ASSERT_EQ(Connect(app.Get()), S_OK);
    PumpMessages();
    const HWND tree = Tree();
    ASSERT_TRUE(tree);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    // The context-menu key, routed as a host routes it, opens the node's menu
    // inside TranslateAccelerator.
    const auto active = AtlControl(office->PaneOf(WindowOf(mappe))->frame).Query<IOleInPlaceActiveObject>();
    UnloadInsideTheMenu(*this, addin, [&] {
        MSG key{tree, WM_KEYDOWN, VK_APPS, 0, 0, {}};
        EXPECT_EQ(active->TranslateAccelerator(&key), S_OK);
    });
    // The stop follows from the message loop: the task panes go.
    EXPECT_TRUE(PumpUntil([&] {
        return std::none_of(office->panes.begin(), office->panes.end(), [](const auto& p) { return p->frame; });
    }));
}

TEST_F(AddInTest, InExcel2003TheAddInDocksThePaneAsTheModuleDoesAndUnloadsLikewise) {
    excel.SetVersion("11.0");
    HostWindow host;
    excel.SetHwnd(reinterpret_cast<WindowHandle>(host.Main()));
    ASSERT_EQ(Connect(app.Get()), S_OK);
    PumpMessages();
    EXPECT_TRUE(office->panes.empty());
    EXPECT_TRUE(excel.FindCommandBar("BrackwellBar"));
    ASSERT_TRUE(host.PaneTree());
    TreeView_SelectItem(host.PaneTree(), TreeView_GetRoot(host.PaneTree()));
    UnloadInsideTheMenu(*this, addin, [&] { SendMessageW(host.PaneTree(), WM_KEYDOWN, VK_APPS, 0); });
    EXPECT_TRUE(PumpUntil([&] { return !host.PaneTree() && !excel.FindCommandBar("BrackwellBar"); }));
}

// An Application without events (no connection points), otherwise the facade's.
class EventlessApplication final : public ComObject<IDispatch> {
public:
    explicit EventlessApplication(ComPtr<IDispatch> inner) : inner_(std::move(inner)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return inner_->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return inner_->GetTypeInfo(i, l, t); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* n, UINT c, LCID l, DISPID* ids) override {
        return inner_->GetIDsOfNames(iid, n, c, l, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID l, WORD f, DISPPARAMS* p, VARIANT* r, EXCEPINFO* e,
                                     UINT* a) override {
        return inner_->Invoke(id, iid, l, f, p, r, e, a);
    }

private:
    ComPtr<IDispatch> inner_;
};

TEST_F(AddInTest, AStartThatCannotWorkFailsOnConnectionAndLeavesNothingBehind) {
    const auto eventless = MakeComObject<EventlessApplication>(app);
    const HRESULT noEvents = Connect(eventless.Get());
    EXPECT_EQ(noEvents, static_cast<HRESULT>(0x800A01CB)) << "VB error 459: no events";
    EXPECT_NE(TakeErrorInfo().find("AppEvents"), std::string::npos);
    EXPECT_EQ(ReferenceCount(eventless.Get()), 1u) << "the add-in let go of the application at once";
    EXPECT_TRUE(FAILED(addin->OnConnection(nullptr, office::kConnectStartup, nullptr, nullptr)));
    TakeErrorInfo();
    // By name too, as a late-bound client calls it.
    EXPECT_EQ(Call(addin.Get(), L"OnConnection", {Variant::Object(ComPtr<IDispatch>()), Variant::Int32(0),
                                                  Variant::Object(ComPtr<IDispatch>()), Variant::Missing()})
                  .hr,
              DISP_E_EXCEPTION);
    EXPECT_TRUE(office->panes.empty());
}

TEST_F(AddInTest, RefusedTaskPanesGiveOneMessageAndNoPane) {
    office->refuse = true;
    boxesExpected = 1;
    EXPECT_EQ(Connect(app.Get()), S_OK);
    EXPECT_TRUE(boxes.WaitFor(1, 5000));
    // Another window activated tries again, without another message.
    excel.App()->Workbooks()->ItemByName("Umsatz.xlsx")->Activate();
    PumpMessages();
    EXPECT_TRUE(office->panes.empty());
    EXPECT_EQ(boxes.Seen().front().title, L"CreateNavBar 311");
}

}  // namespace
}  // namespace brackwell::win::test
