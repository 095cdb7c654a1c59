// The add-in's ribbon callbacks and task panes in the windows of Excel 2016
// (one per workbook) and Excel 2010 (one main window): callbacks by name
// with the control and the window it was pressed in, each window's cached
// toggle state asked again after Invalidate; task panes made hidden in the
// window asked for, shown, sized in points, hidden by their close box,
// deleted, gone with their window, with their events; keys in a pane's
// control routed through its TranslateAccelerator.

#include <gtest/gtest.h>

#include <olectl.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/ui/dpi.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/task_pane_frame.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows_office/office_scene.h"

namespace brackwell::office::test {
namespace {

using win::ComPtr;
using win::Variant;

constexpr wchar_t kRibbon[] =
    LR"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" onLoad="OnLoad">
  <ribbon><tabs><tab idMso="TabHome"><group id="grpFake" label="Fake">
    <toggleButton id="tglFake" label="Navigator" tag="t1" onAction="OnToggle" getPressed="GetPressed"/>
    <button id="btnFake" label="Aktualisieren" onAction="OnRefresh"/>
  </group></tab></tabs></ribbon>
</customUI>)";

// A sink of _CustomTaskPaneEvents that writes down whom VisibleStateChange was about.
class PaneEventSink final : public win::ComObject<IDispatch> {
public:
    std::vector<ComPtr<IUnknown>> visibleChanges;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, win::office::kDiidCustomTaskPaneEvents))
            return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (id == win::office::dispid::kVisibleStateChange && params->cArgs == 1)
            visibleChanges.push_back(win::Identity(V_DISPATCH(&params->rgvarg[0])));
        return S_OK;
    }
};

RECT PlaceOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// Shown in its window, which the test leaves hidden (showing a top-level
// window costs seconds under Wine without a window manager).
bool Shown(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

int Pixels(int points) { return ::MulDiv(points, win::WindowDpi(nullptr), 72); }

TEST(OfficeRibbon, CallbacksGetTheControlAndTheWindowOfTheirRibbon) {
    OfficeScene scene("16.0");
    AddInLog().ribbonXml = kRibbon;
    scene.addIns->Startup();
    const auto ribbon = scene.addIns->Ribbons().at(0);
    const RibbonControlSpec& toggle = *ribbon->Find(L"tglFake");
    const HWND first = scene.Frame("Mappe1.xlsx");
    const HWND second = scene.Frame("Mappe2.xlsx");
    ASSERT_NE(first, second);

    AddInLog().pressedAnswer = true;
    EXPECT_TRUE(ribbon->Pressed(first, toggle));
    EXPECT_TRUE(ribbon->Pressed(first, toggle)) << "cached";
    AddInLog().pressedAnswer = false;
    EXPECT_FALSE(ribbon->Pressed(second, toggle)) << "each window asks for itself";
    ribbon->Click(second, toggle);
    ribbon->Click(first, *ribbon->Find(L"btnFake"));

    const auto& calls = AddInLog().callbacks;
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].name, "GetPressed");
    EXPECT_EQ(calls[0].controlId, L"tglFake");
    EXPECT_EQ(calls[0].tag, L"t1");
    EXPECT_EQ(OfficeScene::HwndOf(calls[0].context.Get()), first);
    EXPECT_EQ(calls[1].name, "GetPressed");
    EXPECT_EQ(OfficeScene::HwndOf(calls[1].context.Get()), second);
    EXPECT_EQ(calls[2].name, "OnToggle");
    EXPECT_EQ(calls[2].pressedType, VT_BOOL);
    EXPECT_TRUE(calls[2].pressed);
    EXPECT_EQ(OfficeScene::HwndOf(calls[2].context.Get()), second);
    EXPECT_EQ(calls[3].name, "OnRefresh");
    EXPECT_EQ(calls[3].controlId, L"btnFake");
    EXPECT_TRUE(ribbon->Pressed(second, toggle)) << "the clicked toggle keeps its state";

    // Invalidate: every window draws again and asks again when it does.
    const int before = scene.RibbonRedraws(first) + scene.RibbonRedraws(second);
    ASSERT_EQ(AddInLog().ribbonUi->Invalidate(), S_OK);
    EXPECT_EQ(scene.RibbonRedraws(first) + scene.RibbonRedraws(second), before + 2);
    AddInLog().pressedAnswer = true;
    EXPECT_TRUE(ribbon->Pressed(second, toggle));
    EXPECT_TRUE(ribbon->Pressed(first, toggle));
    win::Bstr id(std::wstring_view(L"tglFake"));
    AddInLog().pressedAnswer = false;
    ASSERT_EQ(AddInLog().ribbonUi->InvalidateControl(id.Get()), S_OK);
    EXPECT_FALSE(ribbon->Pressed(first, toggle));
    EXPECT_EQ(AddInLog().callbacks.size(), 7u);
}

TEST(OfficeRibbon, BeforeExcel2013TheContextIsTheActiveWindow) {
    OfficeScene scene("14.0");
    AddInLog().ribbonXml = kRibbon;
    scene.addIns->Startup();
    const auto ribbon = scene.addIns->Ribbons().at(0);
    ribbon->Click(scene.Frame(""), *ribbon->Find(L"btnFake"));
    ASSERT_EQ(AddInLog().callbacks.size(), 1u);
    const auto active = win::test::ObjectOf(win::test::Get(scene.application.Get(), L"ActiveWindow"));
    EXPECT_EQ(win::Identity(AddInLog().callbacks[0].context.Get()), win::Identity(active.Get()));
}

TEST(OfficeTaskPanes, MadeShownSizedClosedDeletedAndGoneWithTheirWindow) {
    const std::int64_t liveBefore = win::LiveFacadeObjects();
    {
        OfficeScene scene("16.0");
        scene.addIns->Startup();
        ICTPFactory* factory = AddInLog().factory.Get();
        ASSERT_NE(factory, nullptr);
        const HWND first = scene.Frame("Mappe1.xlsx");
        const HWND second = scene.Frame("Mappe2.xlsx");

        // In the window asked for, hidden, holding the control.
        const win::Bstr progId{std::wstring_view(kFakeControlProgId)};
        const win::Bstr title(std::wstring_view(L"Brackwell"));
        ComPtr<_CustomTaskPane> pane;
        ASSERT_EQ(factory->CreateCTP(progId.Get(), title.Get(), Variant::Object(scene.WindowObject("Mappe1.xlsx")).Get(),
                                     pane.Receive()),
                  S_OK);
        const HWND frame = ::FindWindowExW(scene.Area(first), nullptr, kTaskPaneFrameClass, L"Brackwell");
        ASSERT_NE(frame, nullptr);
        EXPECT_FALSE(Shown(frame));
        EXPECT_EQ(ControlLog().alive, 1);
        ComPtr<IDispatch> content;
        ASSERT_EQ(pane->get_ContentControl(content.Receive()), S_OK);
        ASSERT_TRUE(content);
        HWND controlWindow = nullptr;
        ASSERT_EQ(content.Query<IOleWindow>(IID_IOleWindow)->GetWindow(&controlWindow), S_OK);
        EXPECT_TRUE(::IsChild(frame, controlWindow)) << "inside Wine's container in the pane";

        auto sink = win::MakeComObject<PaneEventSink>();
        DWORD cookie = 0;
        const auto point = [&] {
            ComPtr<IConnectionPoint> p;
            pane.Query<IConnectionPointContainer>(IID_IConnectionPointContainer)
                ->FindConnectionPoint(win::office::kDiidCustomTaskPaneEvents, p.Receive());
            return p;
        }();
        ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);

        // Shown through IDispatch, as late-bound add-ins do; Width in points.
        ASSERT_EQ(win::test::Put(pane.Get(), L"Visible", Variant::Bool(true)).hr, S_OK);
        ASSERT_EQ(win::test::Put(pane.Get(), L"Width", Variant::Int32(161)).hr, S_OK);
        EXPECT_TRUE(Shown(frame));
        EXPECT_EQ(PlaceOf(frame).right - PlaceOf(frame).left, Pixels(161));
        EXPECT_EQ(PlaceOf(scene.Area(first)).right - PlaceOf(scene.Area(first)).left, Pixels(161));
        EXPECT_EQ(V_I4(&win::test::Get(pane.Get(), L"Width").value.Get()), 161);
        ASSERT_EQ(sink->visibleChanges.size(), 1u);
        EXPECT_EQ(sink->visibleChanges[0], win::Identity(pane.Get()));

        // Keys in the control: its TranslateAccelerator first; what it takes goes no further.
        ::PostMessageW(controlWindow, WM_KEYDOWN, VK_TAB, 0);
        ::PostMessageW(controlWindow, WM_KEYDOWN, 'A', 0);
        PumpHostMessages();
        EXPECT_EQ(ControlLog().acceleratorKeys, (std::vector<UINT>{VK_TAB, 'A'}));
        EXPECT_EQ(ControlLog().windowKeys, (std::vector<UINT>{'A'}));

        // The close box hides it; the object stays.
        ::SendMessageW(::GetDlgItem(frame, kCloseBoxId), BM_CLICK, 0, 0);
        VARIANT_BOOL visible = VARIANT_TRUE;
        ASSERT_EQ(pane->get_Visible(&visible), S_OK);
        EXPECT_EQ(visible, VARIANT_FALSE);
        EXPECT_FALSE(Shown(frame));
        EXPECT_EQ(sink->visibleChanges.size(), 2u);
        EXPECT_EQ(PlaceOf(scene.Area(first)).right - PlaceOf(scene.Area(first)).left, 0);

        // Missing window: the active one's. An unknown control: nothing made.
        ComPtr<_CustomTaskPane> second_pane;
        ASSERT_EQ(factory->CreateCTP(progId.Get(), title.Get(), Variant::Missing().Get(), second_pane.Receive()), S_OK);
        EXPECT_NE(::FindWindowExW(scene.Area(second), nullptr, kTaskPaneFrameClass, nullptr), nullptr);
        const win::Bstr unknown(std::wstring_view(L"Brackwell.NoSuchControl"));
        ComPtr<_CustomTaskPane> refused;
        EXPECT_EQ(factory->CreateCTP(unknown.Get(), title.Get(), Variant::Missing().Get(), refused.Receive()),
                  CO_E_CLASSSTRING);
        EXPECT_EQ(scene.addIns->TaskPaneCount(), 2u);

        // Delete takes it out for good; its window's end takes the other.
        ASSERT_EQ(second_pane->Delete(), S_OK);
        EXPECT_EQ(::FindWindowExW(scene.Area(second), nullptr, kTaskPaneFrameClass, nullptr), nullptr);
        EXPECT_EQ(second_pane->get_Visible(&visible), E_FAIL);
        content.Reset();
        scene.excel.App()->Workbooks()->ItemByName("Mappe1.xlsx")->Close(false);
        EXPECT_EQ(pane->get_Visible(&visible), E_FAIL);
        EXPECT_EQ(scene.addIns->TaskPaneCount(), 0u);
        EXPECT_EQ(ControlLog().alive, 0) << "Wine's container closed and released both controls";
        pane.Reset();
        second_pane.Reset();
    }
    EXPECT_EQ(win::LiveFacadeObjects(), liveBefore) << "nothing of the Office layer or the facade is left";
}

}  // namespace
}  // namespace brackwell::office::test
