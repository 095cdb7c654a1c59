// The host's application events: fired by the embedded host, passed on by the
// facade's connection point, received by the host adapter's sink and handed
// to the component's AppEvents.

#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/host_constants.h"
#include "tests/windows/facade_fixture.h"

namespace brackwell::win::testing {
namespace {

// Writes down what it hears, as "Kind(name)"; names are read at once, so the
// record shows what a handler could see.
class RecordingSink : public AppEvents {
public:
    std::vector<std::string> events;
    bool cancelSaves = false;
    std::vector<bool> cancelSeen;  // Cancel as each BeforeSave arrived
    std::function<void()> onEvent;

    void WorkbookDeactivate(const WorkbookPtr& wb) override { Record("WorkbookDeactivate", wb->Name()); }
    void WorkbookOpen(const WorkbookPtr& wb) override { Record("WorkbookOpen", wb->Name()); }
    void WorkbookActivate(const WorkbookPtr& wb) override { Record("WorkbookActivate", wb->Name()); }
    void NewWorkbook(const WorkbookPtr& wb) override { Record("NewWorkbook", wb->Name()); }
    void WorkbookNewSheet(const WorkbookPtr& wb, const SheetPtr& sh) override {
        Record("WorkbookNewSheet", wb->Name() + "," + sh->Name());
    }
    void WorkbookBeforeSave(const WorkbookPtr& wb, bool saveAsUi, bool& cancel) override {
        cancelSeen.push_back(cancel);
        if (cancelSaves) cancel = true;
        Record("WorkbookBeforeSave", wb->Name() + (saveAsUi ? ",ui" : ""));
    }
    void SheetActivate(const SheetPtr& sh) override { Record("SheetActivate", sh->Name()); }

private:
    void Record(const std::string& kind, const std::string& what) {
        events.push_back(kind + "(" + what + ")");
        if (onEvent) onEvent();
    }
};

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

TEST_F(AppEventsThroughFacade, TheHostsOwnOperationsFireThroughToTheSink) {
    RecordingSink sink;
    const auto connection = client->Advise(sink);
    client->ActiveWorkbook()->Worksheets()->Item(2)->Activate();
    client->ActiveWorkbook()->Worksheets()->Add();
    client->Dialogs()->Item(xl::kDialogSaveAs)->Show();  // BeforeSave with SaveAsUI, then the user cancels
    ASSERT_GE(sink.events.size(), 3u);
    EXPECT_EQ(sink.events[0], "SheetActivate(売上)");
    EXPECT_NE(std::find(sink.events.begin(), sink.events.end(), "WorkbookBeforeSave(Umsatz.xlsx,ui)"),
              sink.events.end());
    EXPECT_EQ(std::count_if(sink.events.begin(), sink.events.end(),
                            [](const std::string& e) { return e.rfind("WorkbookNewSheet(Umsatz.xlsx,", 0) == 0; }),
              1);
}

TEST_F(AppEventsThroughFacade, CancelWrittenBackByTheSinkStopsTheSave) {
    RecordingSink sink;
    sink.cancelSaves = true;
    const auto connection = client->Advise(sink);
    host.SetSaved(book, false);
    client->ActiveWorkbook()->Save();
    EXPECT_EQ(sink.events, (std::vector<std::string>{"WorkbookBeforeSave(Umsatz.xlsx)"}));
    EXPECT_FALSE(host.Saved(book));

    sink.cancelSaves = false;
    client->ActiveWorkbook()->Save();
    EXPECT_TRUE(host.Saved(book));
}

TEST_F(AppEventsThroughFacade, EverySinkSeesTheCancelThePreviousOneLeft) {
    RecordingSink first;
    RecordingSink second;
    first.cancelSaves = true;
    const auto firstConnection = client->Advise(first);
    const auto secondConnection = client->Advise(second);
    host.SetSaved(book, false);
    client->ActiveWorkbook()->Save();
    EXPECT_EQ(first.cancelSeen, std::vector<bool>{false});
    EXPECT_EQ(second.cancelSeen, std::vector<bool>{true});
    EXPECT_FALSE(host.Saved(book));
}

TEST_F(AppEventsThroughFacade, DestroyingTheConnectionStopsTheEvents) {
    RecordingSink sink;
    auto connection = client->Advise(sink);
    client->ActiveWorkbook()->Worksheets()->Item(3)->Activate();
    connection.reset();
    client->ActiveWorkbook()->Worksheets()->Item(1)->Activate();
    EXPECT_EQ(sink.events, std::vector<std::string>{"SheetActivate(Daten)"});
}

TEST_F(AppEventsThroughFacade, ASinkMayDetachItselfWhileHandlingAnEvent) {
    RecordingSink sink;
    std::unique_ptr<EventConnection> connection = client->Advise(sink);
    sink.onEvent = [&] { connection.reset(); };
    client->ActiveWorkbook()->Worksheets()->Item(2)->Activate();
    client->ActiveWorkbook()->Worksheets()->Item(3)->Activate();
    EXPECT_EQ(sink.events, std::vector<std::string>{"SheetActivate(売上)"});
}

TEST_F(AppEventsThroughFacade, TheFacadeLeavesTheHostWhenItIsReleased) {
    RecordingSink sink;
    auto connection = client->Advise(sink);
    EXPECT_EQ(host.AttachedSinkCount(), 1u);
    connection.reset();
    client.reset();
    facade.Reset();
    EXPECT_EQ(host.AttachedSinkCount(), 0u);
}

TEST(AppEventsWithoutConnectionPoints, AdviseFailsWithAClearError) {
    const std::int64_t liveBefore = LiveFacadeObjects();
    {
        embedded::EmbeddedExcel host;
        auto facade = MakeApplicationFacade(host.App(), FacadeOptions{false});
        EXPECT_FALSE(facade.Query<IConnectionPointContainer>());
        const ApplicationPtr client = WrapApplication(facade.Get());
        RecordingSink sink;
        const AutomationError error = ErrorOf([&] { client->Advise(sink); });
        EXPECT_EQ(error.Number(), 459);
        EXPECT_NE(error.Description().find("AppEvents"), std::string::npos);
        EXPECT_EQ(client->Version(), "12.0");  // everything else still works
    }
    EXPECT_EQ(LiveFacadeObjects(), liveBefore);
}

// An object that is no sink for AppEvents, only for IDispatch.
class PlainDispatch final : public ComObject<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return S_OK;
    }
};

TEST_F(AppEventsThroughFacade, TheConnectionPointBehavesLikeTheHosts) {
    auto container = facade.Query<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.Receive()), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(kDiidAppEvents, point.Receive()), S_OK);
    IID iid{};
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, kDiidAppEvents));
    ComPtr<IConnectionPointContainer> back;
    EXPECT_EQ(point->GetConnectionPointContainer(back.Receive()), S_OK);
    EXPECT_EQ(Identity(back.Get()), Identity(facade.Get()));

    // A sink that does not answer for AppEvents is refused, as by the host.
    auto notASink = MakeComObject<PlainDispatch>();
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(notASink.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.Receive()), S_OK);
    ComPtr<IConnectionPoint> listed;
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(1, listed.Receive(), &fetched), S_OK);
    EXPECT_EQ(Identity(listed.Get()), Identity(point.Get()));
    EXPECT_EQ(points->Next(1, listed.Receive(), &fetched), S_FALSE);
}

// A host application that only offers the connection point and keeps the
// sink it is given, so a test can call the sink the way a host would.
class CapturingHost final : public ComObject<IDispatch, IConnectionPointContainer, IConnectionPoint> {
public:
    ComPtr<IDispatch> sink;
    DWORD unadvised = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
            *out = static_cast<IConnectionPointContainer*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        if (!IsEqualIID(iid, kDiidAppEvents)) return CONNECT_E_NOCONNECTION;
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override {
        if (FAILED(unknown->QueryInterface(kDiidAppEvents, sink.ReceiveVoid()))) return CONNECT_E_CANNOTCONNECT;
        *cookie = 42;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        unadvised = cookie;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

// Notes which events arrive, without calling back into the (fake) host.
class NotingSink : public AppEvents {
public:
    std::vector<std::string> events;
    bool lastSaveAsUi = false;
    bool cancelTo = false;
    bool failInOpen = false;

    void WorkbookDeactivate(const WorkbookPtr&) override { events.push_back("WorkbookDeactivate"); }
    void WorkbookOpen(const WorkbookPtr& wb) override {
        events.push_back(wb ? "WorkbookOpen" : "WorkbookOpen(Nothing)");
        if (failInOpen) Raise(1004, "Fehler im Ereignis");
    }
    void WorkbookActivate(const WorkbookPtr&) override { events.push_back("WorkbookActivate"); }
    void NewWorkbook(const WorkbookPtr&) override { events.push_back("NewWorkbook"); }
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override { events.push_back("WorkbookNewSheet"); }
    void WorkbookBeforeSave(const WorkbookPtr&, bool saveAsUi, bool& cancel) override {
        events.push_back("WorkbookBeforeSave");
        lastSaveAsUi = saveAsUi;
        cancel = cancelTo;
    }
    void SheetActivate(const SheetPtr&) override { events.push_back("SheetActivate"); }
};

class AppEventsSinkChecks : public ::testing::Test {
protected:
    // Calls the captured sink the way a host does, arguments in declaration order.
    RawResult Fire(DISPID id, std::vector<Variant> args) {
        return InvokeRaw(host->sink.Get(), id, DISPATCH_METHOD, std::move(args));
    }

    ComPtr<CapturingHost> host = MakeComObject<CapturingHost>();
    ApplicationPtr client = WrapApplication(static_cast<IDispatch*>(host.Get()));
    NotingSink noted;
    std::unique_ptr<EventConnection> connection = client->Advise(noted);
    // Any object will do as the workbook: the sink does not call it.
    Variant workbook = Variant::Object(ComPtr<IDispatch>(static_cast<IDispatch*>(host.Get())));
};

TEST_F(AppEventsSinkChecks, TheSinkAnswersForAppEventsAndIDispatch) {
    ASSERT_TRUE(host->sink);
    EXPECT_TRUE(host->sink.Query<IUnknown>());
    EXPECT_TRUE(host->sink.Query<IDispatch>(kDiidAppEvents));
    EXPECT_FALSE(host->sink.Query<IConnectionPoint>());
}

TEST_F(AppEventsSinkChecks, WrongArgumentCountsAndTypesAreRefusedBeforeUse) {
    EXPECT_EQ(Fire(app_event::kWorkbookOpen, {}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Fire(app_event::kWorkbookNewSheet, Args(Variant(workbook))).hr, DISP_E_BADPARAMCOUNT);
    RawResult result = Fire(app_event::kWorkbookNewSheet, Args(Variant(workbook), Variant::Text("Tabelle4")));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);  // Sh, the last argument, is rgvarg[0]
    VARIANT_BOOL cancel = VARIANT_FALSE;
    result = Fire(app_event::kWorkbookBeforeSave,
                  Args(Variant::Int32(1), Variant::Bool(false), Variant::BoolByRef(&cancel)));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 2u);
    // Cancel must come by reference, or it could not be written back.
    result = Fire(app_event::kWorkbookBeforeSave, Args(Variant(workbook), Variant::Bool(false), Variant::Bool(false)));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);
    EXPECT_TRUE(noted.events.empty());
}

TEST_F(AppEventsSinkChecks, OtherEventsAreAnsweredAndIgnored) {
    EXPECT_EQ(Fire(1558, Args(Variant(workbook), Variant(workbook))).hr, S_OK);  // SheetSelectionChange
    EXPECT_EQ(Fire(2612, {}).hr, S_OK);                                           // AfterCalculate
    EXPECT_TRUE(noted.events.empty());
}

TEST_F(AppEventsSinkChecks, SaveAsUiMayComeByValueOrByReferenceAndCancelIsWrittenBack) {
    noted.cancelTo = true;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(Fire(app_event::kWorkbookBeforeSave,
                   Args(Variant(workbook), Variant::Bool(true), Variant::BoolByRef(&cancel)))
                  .hr,
              S_OK);
    EXPECT_TRUE(noted.lastSaveAsUi);
    EXPECT_EQ(cancel, VARIANT_TRUE);

    noted.cancelTo = false;
    VARIANT_BOOL saveAsUi = VARIANT_FALSE;
    EXPECT_EQ(Fire(app_event::kWorkbookBeforeSave,
                   Args(Variant(workbook), Variant::BoolByRef(&saveAsUi), Variant::BoolByRef(&cancel)))
                  .hr,
              S_OK);
    EXPECT_FALSE(noted.lastSaveAsUi);
    EXPECT_EQ(cancel, VARIANT_FALSE);
}

TEST_F(AppEventsSinkChecks, AFailingHandlerIsReportedNotThrown) {
    noted.failInOpen = true;
    const RawResult result = Fire(app_event::kWorkbookOpen, Args(Variant(workbook)));
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(result.description, "Fehler im Ereignis");
    EXPECT_EQ(Fire(app_event::kWorkbookOpen, Args(Variant::Object(nullptr))).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(noted.events, (std::vector<std::string>{"WorkbookOpen", "WorkbookOpen(Nothing)"}));
}

TEST_F(AppEventsSinkChecks, DestroyingTheConnectionUnadvisesAndSilencesTheSink) {
    connection.reset();
    EXPECT_EQ(host->unadvised, 42u);
    EXPECT_EQ(Fire(app_event::kWorkbookOpen, Args(Variant(workbook))).hr, S_OK);
    EXPECT_TRUE(noted.events.empty());
}

}  // namespace
}  // namespace brackwell::win::testing
