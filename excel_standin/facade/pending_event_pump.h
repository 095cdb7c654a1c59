#pragma once
// Runs the embedded host's queued events when the component pumps window
// messages, the way an out-of-process host's events arrive: the host's
// notifier posts a message to a message-only window, and that window's
// procedure lets the host run what is pending. So queued events run exactly
// when the component lets messages through (its DoEvents), never in between.
//
//   PendingEventPump pump([&] { host.RunPendingEvents(); });
//   host.SetPendingEventNotifier(pump.Notifier());

#include <windows.h>

#include <functional>
#include <memory>

namespace brackwell::win {

class PendingEventPump {
public:
    // `runPendingEvents` runs on the thread that made the pump, from its
    // message loop. Fails with AutomationError when no window can be made.
    explicit PendingEventPump(std::function<void()> runPendingEvents);
    PendingEventPump(const PendingEventPump&) = delete;
    PendingEventPump& operator=(const PendingEventPump&) = delete;
    ~PendingEventPump();

    // For the host: posts one message unless one is already waiting. Safe to
    // keep after the pump is gone (it then does nothing).
    std::function<void()> Notifier() const;

    HWND Window() const noexcept;

private:
    struct State;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<State> state_;
};

}  // namespace brackwell::win
