// The host's application events: fired by the embedded host, passed on by the
// facade's connection point, received by the host adapter's sink and handed
// to the component's AppEvents.

#include <gtest/gtest.h>

#include <ocidl.h>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/host_constants.h"
#include "tests/windows/facade_fixture.h"

namespace brackwell::win::test {
namespace {

using AppEventsThroughFacade = FacadeTest;

TEST_F(AppEventsThroughFacade, EachOfTheSevenEventsReachesTheSink) {
    RecordingSink sink;
    const auto connection = client->Advise(sink);
    const SheetPtr sales = book->Worksheets()->Item(2);
    using embedded::EventKind;
    for (const EventKind kind : {EventKind::WorkbookDeactivate, EventKind::WorkbookOpen,
                                 EventKind::WorkbookActivate, EventKind::NewWorkbook,
                                 EventKind::WorkbookNewSheet, EventKind::WorkbookBeforeSave,
                                 EventKind::SheetActivate}) {
        host.PostEvent(embedded::PendingEvent{kind, book, sales});
    }
    EXPECT_EQ(host.RunPendingEvents(), 7);
    EXPECT_EQ(sink.events, (std::vector<std::string>{
                               "WorkbookDeactivate(Umsatz.xlsx)", "WorkbookOpen(Umsatz.xlsx)",
                               "WorkbookActivate(Umsatz.xlsx)", "NewWorkbook(Umsatz.xlsx)",
                               "WorkbookNewSheet(Umsatz.xlsx,売上)", "WorkbookBeforeSave(Umsatz.xlsx)",
                               "SheetActivate(売上)"}));
}

TEST_F(AppEventsThroughFacade, ASinkMayDetachWhileHandlingAndTheReleasedFacadeLeavesTheHost) {
    RecordingSink sink;
    std::unique_ptr<EventConnection> connection = client->Advise(sink);
    EXPECT_EQ(host.AttachedSinkCount(), 1u);
    sink.onEvent = [&] { connection.reset(); };
    client->ActiveWorkbook()->Worksheets()->Item(2)->Activate();
    client->ActiveWorkbook()->Worksheets()->Item(3)->Activate();
    EXPECT_EQ(sink.events, std::vector<std::string>{"SheetActivate(売上)"});
    client.reset();
    facade.Reset();
    EXPECT_EQ(host.AttachedSinkCount(), 0u);
}

// A host application that offers the connection point and keeps the sink it
// is given, so a test can call the sink the way a host would. Every member
// answers "Mappe1", so handlers may read names.
class CapturingHost final : public ComObject<IDispatch, IConnectionPointContainer, IConnectionPoint> {
public:
    ComPtr<IDispatch> sink;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) *out = static_cast<IDispatch*>(this);
        if (IsEqualIID(iid, IID_IConnectionPointContainer)) *out = static_cast<IConnectionPointContainer*>(this);
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        ids[0] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (result) Variant::Text("Mappe1").DetachTo(result);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint** out) override {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override {
        *cookie = 42;
        return unknown->QueryInterface(kDiidAppEvents, sink.ReceiveVoid());
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

class AppEventsSinkChecks : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host->sink) << "the sink answers for AppEvents"; }

    // Calls the captured sink the way a host does, arguments in declaration order.
    CallResult Fire(DISPID id, std::vector<Variant> args) {
        return InvokeId(host->sink.Get(), id, DISPATCH_METHOD, std::move(args));
    }

    ComPtr<CapturingHost> host = MakeComObject<CapturingHost>();
    ApplicationPtr client = WrapApplication(static_cast<IDispatch*>(host.Get()));
    RecordingSink noted;
    std::unique_ptr<EventConnection> connection = client->Advise(noted);
    Variant workbook = Variant::Object(ComPtr<IDispatch>(static_cast<IDispatch*>(host.Get())));
};

TEST_F(AppEventsSinkChecks, TakesExcelsArgumentFormsWritesCancelBackAndAnswersBadCallsAndFailuresWithErrors) {
    noted.setCancel = true;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(Fire(app_event::kWorkbookBeforeSave,
                   Args(Variant(workbook), Variant::Bool(true), Variant::BoolByRef(&cancel))).hr,
              S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    // SaveAsUI may come by reference too; a handler may also take a Cancel back.
    noted.setCancel = false;
    VARIANT_BOOL saveAsUi = VARIANT_FALSE;
    EXPECT_EQ(Fire(app_event::kWorkbookBeforeSave,
                   Args(Variant(workbook), Variant::BoolByRef(&saveAsUi), Variant::BoolByRef(&cancel))).hr,
              S_OK);
    EXPECT_EQ(cancel, VARIANT_FALSE);
    EXPECT_EQ(noted.cancelSeen, (std::vector<bool>{false, true}));
    EXPECT_EQ(Fire(1558, Args(Variant(workbook), Variant(workbook))).hr, S_OK);  // SheetSelectionChange: ignored

    EXPECT_EQ(Fire(app_event::kWorkbookNewSheet, Args(Variant(workbook))).hr, DISP_E_BADPARAMCOUNT);
    CallResult result = Fire(app_event::kWorkbookNewSheet, Args(Variant(workbook), Variant::Text("Tabelle4")));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);  // Sh, the last argument, is rgvarg[0]
    // Cancel must come by reference, or it could not be written back.
    result = Fire(app_event::kWorkbookBeforeSave, Args(Variant(workbook), Variant::Bool(false), Variant::Bool(false)));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);

    noted.onEvent = [] { Raise(1004, "Fehler im Ereignis"); };
    result = Fire(app_event::kWorkbookOpen, Args(Variant(workbook)));
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(result.description, "Fehler im Ereignis");
    EXPECT_EQ(noted.events, (std::vector<std::string>{"WorkbookBeforeSave(Mappe1,ui)", "WorkbookBeforeSave(Mappe1)",
                                                      "WorkbookOpen(Mappe1)"}));
}

}  // namespace
}  // namespace brackwell::win::test
