#pragma once
// The application events of the embedded host: the sinks attached through
// Application.Advise, synchronous firing that survives handlers which call
// back into the host (even detaching sinks or closing workbooks), and a queue
// of events that wait until the component lets pending events run.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "host/excel.h"

namespace brackwell::embedded {

enum class EventKind {
    WorkbookDeactivate,
    WorkbookOpen,
    WorkbookActivate,
    NewWorkbook,
    WorkbookNewSheet,
    WorkbookBeforeSave,
    SheetActivate,
    WindowActivate,
    WindowDeactivate,
};
std::string_view EventName(EventKind kind);

// One event with its arguments; the sheet is empty for workbook events, the
// workbook may be empty for SheetActivate; a window event's window is the
// workbook's. A queued WorkbookBeforeSave is delivered with SaveAsUI False
// and its Cancel is not looked at.
struct PendingEvent {
    EventKind kind = EventKind::WorkbookActivate;
    WorkbookPtr workbook;
    SheetPtr sheet;
};

class EventHub : public std::enable_shared_from_this<EventHub> {
public:
    // The sink stays attached until the connection is destroyed; a connection
    // that outlives the hub detaches nothing.
    std::unique_ptr<EventConnection> Attach(AppEvents& sink);
    std::size_t SinkCount() const { return sinks_.size(); }
    // How many deliveries a sink answered by throwing: a failure that left
    // the component and that a real host would have dropped.
    std::size_t SinkFailures() const { return sinkFailures_; }

    // Delivers to every sink attached when firing starts, in attach order,
    // skipping the ones detached in between. A sink that throws is ignored
    // like a failing COM sink, and the others still get the event.
    void Fire(const PendingEvent& event);
    // Returns Cancel as the sinks left it.
    bool FireBeforeSave(const WorkbookPtr& wb, bool saveAsUi);

    void Post(PendingEvent event);
    // Fires queued events in order, also those queued while running; returns how many.
    int RunPending();
    bool HasPending() const { return !pending_.empty(); }
    void SetNotifier(std::function<void()> notifier) { notifier_ = std::move(notifier); }
    // The window a window event hands its sinks, from the event's workbook.
    void SetWindowSource(std::function<WindowPtr(const WorkbookPtr&)> windowOf) { windowOf_ = std::move(windowOf); }

private:
    struct Entry {
        std::uint64_t id = 0;
        AppEvents* sink = nullptr;
    };
    class Connection;

    void Detach(std::uint64_t id);
    AppEvents* Find(std::uint64_t id) const;
    std::vector<std::uint64_t> SnapshotIds() const;

    std::vector<Entry> sinks_;
    std::uint64_t nextId_ = 1;
    std::deque<PendingEvent> pending_;
    std::function<void()> notifier_;
    std::function<WindowPtr(const WorkbookPtr&)> windowOf_;
    std::size_t sinkFailures_ = 0;
};

}  // namespace brackwell::embedded
