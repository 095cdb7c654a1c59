#pragma once
// The event sinks attached to one headless control. A sink stays attached
// until its connection is destroyed; a connection that outlives the control
// detaches nothing and stays harmless.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "host/excel.h"  // EventConnection

namespace brackwell::shared {

template <class Sink>
class SinkList {
public:
    SinkList() : state_(std::make_shared<State>()) {}
    SinkList(const SinkList&) = delete;
    SinkList& operator=(const SinkList&) = delete;

    std::unique_ptr<EventConnection> Advise(Sink& sink) {
        const std::uint64_t id = state_->nextId++;
        state_->sinks.emplace_back(id, &sink);
        return std::make_unique<Connection>(state_, id);
    }

    // Calls `call(sink)` for every sink attached when the event starts. A
    // sink detached by an earlier handler of the same event is skipped, and
    // the list survives its control being destroyed by a handler.
    template <class Call>
    void Fire(Call&& call) const {
        const std::shared_ptr<State> state = state_;
        const auto snapshot = state->sinks;
        for (const auto& [id, sink] : snapshot) {
            if (state->Attached(id)) call(*sink);
        }
    }

    std::size_t Count() const { return state_->sinks.size(); }

private:
    struct State {
        std::vector<std::pair<std::uint64_t, Sink*>> sinks;
        std::uint64_t nextId = 1;

        bool Attached(std::uint64_t id) const {
            for (const auto& entry : sinks)
                if (entry.first == id) return true;
            return false;
        }
    };

    class Connection final : public EventConnection {
    public:
        Connection(const std::shared_ptr<State>& state, std::uint64_t id) : state_(state), id_(id) {}
        ~Connection() override {
            if (const auto state = state_.lock()) {
                auto& sinks = state->sinks;
                for (auto it = sinks.begin(); it != sinks.end(); ++it) {
                    if (it->first == id_) {
                        sinks.erase(it);
                        break;
                    }
                }
            }
        }

    private:
        std::weak_ptr<State> state_;
        std::uint64_t id_;
    };

    std::shared_ptr<State> state_;
};

}  // namespace brackwell::shared
