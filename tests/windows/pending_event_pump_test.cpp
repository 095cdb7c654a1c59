// Queued host events run exactly when the component lets window messages
// through, as events of a host in another process do.

#include <gtest/gtest.h>

#include "excel_standin/facade/pending_event_pump.h"
#include "tests/windows/facade_fixture.h"
#include "tests/windows/message_pump.h"

namespace brackwell::win::test {
namespace {

// How many messages wait for `window`; they are taken off the queue and
// posted again, in order, because peeking without removing sees only the first.
int MessagesWaitingFor(HWND window) {
    std::vector<MSG> taken;
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) taken.push_back(message);
    for (const MSG& m : taken) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    return static_cast<int>(taken.size());
}

class PendingEventPumpTest : public FacadeTest {
protected:
    PendingEventPumpTest() { host.SetPendingEventNotifier(pump.Notifier()); }
    ~PendingEventPumpTest() override { host.SetPendingEventNotifier(nullptr); }
    void TearDown() override {
        connection.reset();
        FacadeTest::TearDown();
    }

    PendingEventPump pump{[this] { host.RunPendingEvents(); }};
    RecordingSink sink;
    std::unique_ptr<EventConnection> connection = client->Advise(sink);
};

TEST_F(PendingEventPumpTest, QueuedEventsWaitForTheMessageLoopAndManyNeedOneMessage) {
    host.SetDeferEvents(true);
    client->ActiveWorkbook()->Worksheets()->Item(2)->Activate();
    EXPECT_TRUE(sink.events.empty());
    EXPECT_TRUE(host.HasPendingEvents());
    PumpMessages();
    EXPECT_EQ(sink.events, std::vector<std::string>{"SheetActivate(売上)"});
    EXPECT_FALSE(host.HasPendingEvents());

    for (int i = 0; i < 3; ++i)
        host.PostEvent(embedded::PendingEvent{embedded::EventKind::WorkbookActivate, book, nullptr});
    EXPECT_EQ(MessagesWaitingFor(pump.Window()), 1);
    PumpMessages();
    EXPECT_EQ(sink.events.size(), 4u);
    // Once run, a new event needs and gets a message of its own.
    host.PostEvent(embedded::PendingEvent{embedded::EventKind::SheetActivate, book, book->Worksheets()->Item(1)});
    EXPECT_EQ(MessagesWaitingFor(pump.Window()), 1);
    PumpMessages();
    EXPECT_EQ(sink.events.back(), "SheetActivate(Übersicht)");
}

}  // namespace
}  // namespace brackwell::win::test
