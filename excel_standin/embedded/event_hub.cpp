#include "excel_standin/embedded/event_hub.h"

#include <algorithm>

namespace brackwell::embedded {

class EventHub::Connection final : public EventConnection {
public:
    Connection(std::weak_ptr<EventHub> hub, std::uint64_t id) : hub_(std::move(hub)), id_(id) {}
    ~Connection() override {
        if (auto hub = hub_.lock()) hub->Detach(id_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

private:
    std::weak_ptr<EventHub> hub_;
    std::uint64_t id_;
};

std::string_view EventName(EventKind kind) {
    switch (kind) {
    case EventKind::WorkbookDeactivate: return "WorkbookDeactivate";
    case EventKind::WorkbookOpen: return "WorkbookOpen";
    case EventKind::WorkbookActivate: return "WorkbookActivate";
    case EventKind::NewWorkbook: return "NewWorkbook";
    case EventKind::WorkbookNewSheet: return "WorkbookNewSheet";
    case EventKind::WorkbookBeforeSave: return "WorkbookBeforeSave";
    case EventKind::SheetActivate: return "SheetActivate";
    case EventKind::WindowActivate: return "WindowActivate";
    case EventKind::WindowDeactivate: return "WindowDeactivate";
    }
    return "";
}

std::unique_ptr<EventConnection> EventHub::Attach(AppEvents& sink) {
    const std::uint64_t id = nextId_++;
    sinks_.push_back(Entry{id, &sink});
    return std::make_unique<Connection>(weak_from_this(), id);
}

void EventHub::Detach(std::uint64_t id) {
    std::erase_if(sinks_, [id](const Entry& e) { return e.id == id; });
}

AppEvents* EventHub::Find(std::uint64_t id) const {
    for (const Entry& e : sinks_) {
        if (e.id == id) return e.sink;
    }
    return nullptr;
}

std::vector<std::uint64_t> EventHub::SnapshotIds() const {
    std::vector<std::uint64_t> ids;
    ids.reserve(sinks_.size());
    for (const Entry& e : sinks_) ids.push_back(e.id);
    return ids;
}

void EventHub::Fire(const PendingEvent& event) {
    if (event.kind == EventKind::WorkbookBeforeSave) {
        FireBeforeSave(event.workbook, false);
        return;
    }
    const bool windowEvent = event.kind == EventKind::WindowActivate || event.kind == EventKind::WindowDeactivate;
    const WindowPtr window = windowEvent && windowOf_ ? windowOf_(event.workbook) : nullptr;
    // Ids, not iterators: a handler may attach or detach sinks while we loop.
    for (std::uint64_t id : SnapshotIds()) {
        AppEvents* sink = Find(id);
        if (sink == nullptr) continue;
        try {
            switch (event.kind) {
            case EventKind::WorkbookDeactivate: sink->WorkbookDeactivate(event.workbook); break;
            case EventKind::WorkbookOpen: sink->WorkbookOpen(event.workbook); break;
            case EventKind::WorkbookActivate: sink->WorkbookActivate(event.workbook); break;
            case EventKind::NewWorkbook: sink->NewWorkbook(event.workbook); break;
            case EventKind::WorkbookNewSheet: sink->WorkbookNewSheet(event.workbook, event.sheet); break;
            case EventKind::SheetActivate: sink->SheetActivate(event.sheet); break;
            case EventKind::WindowActivate: sink->WindowActivate(event.workbook, window); break;
            case EventKind::WindowDeactivate: sink->WindowDeactivate(event.workbook, window); break;
            case EventKind::WorkbookBeforeSave: break;
            }
        } catch (...) {
            // The host drops what a sink returns; one failing sink stops no other.
            ++sinkFailures_;
        }
    }
}

bool EventHub::FireBeforeSave(const WorkbookPtr& wb, bool saveAsUi) {
    bool cancel = false;
    for (std::uint64_t id : SnapshotIds()) {
        AppEvents* sink = Find(id);
        if (sink == nullptr) continue;
        try {
            sink->WorkbookBeforeSave(wb, saveAsUi, cancel);
        } catch (...) {
            ++sinkFailures_;
        }
    }
    return cancel;
}

void EventHub::Post(PendingEvent event) {
    pending_.push_back(std::move(event));
    if (notifier_) notifier_();
}

int EventHub::RunPending() {
    int count = 0;
    // Pop before firing: a handler may run pending events itself, or post more.
    while (!pending_.empty()) {
        PendingEvent next = std::move(pending_.front());
        pending_.pop_front();
        Fire(next);
        ++count;
    }
    return count;
}

}  // namespace brackwell::embedded
