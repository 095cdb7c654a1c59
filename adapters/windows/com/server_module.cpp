#include "adapters/windows/com/server_module.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "adapters/windows/platform/win_platform.h"

namespace brackwell::win::server {
namespace {

HINSTANCE module_ = nullptr;
std::atomic<long> liveObjects_{0};
std::atomic<long> locks_{0};

// The platform and the component over it; the component refers to the
// platform, so it goes first.
struct Shared {
    explicit Shared(HINSTANCE module) : platform(module), component(platform) {}
    WinPlatform platform;
    Component component;
};

std::mutex sharedMutex_;
std::unique_ptr<Shared> shared_;

}  // namespace

void SetModule(HINSTANCE module) noexcept { module_ = module; }

HINSTANCE Module() noexcept { return module_; }

LiveObject::LiveObject() noexcept { ++liveObjects_; }

LiveObject::~LiveObject() { --liveObjects_; }

void Lock() noexcept { ++locks_; }

void Unlock() noexcept { --locks_; }

bool PrepareUnload() noexcept {
    std::unique_ptr<Shared> released;
    {
        // Checked under the lock SharedComponent takes: a navigator being
        // made holds its class factory, which counts, before it asks for the
        // component, so no one can take the component between check and release.
        std::lock_guard lock(sharedMutex_);
        if (liveObjects_.load() != 0 || locks_.load() != 0) return false;
        // Everything the component shares belongs to living navigators, and
        // there are none: a later navigator starts a fresh one and loses
        // nothing. It is released here, on the caller's thread, rather than
        // under the loader lock at unload, where destroying windows is unsafe.
        released = std::move(shared_);
    }
    return true;
}

Component& SharedComponent() {
    std::lock_guard lock(sharedMutex_);
    if (!shared_) shared_ = std::make_unique<Shared>(module_);
    return shared_->component;
}

void ReleaseSharedComponent() noexcept {
    std::unique_ptr<Shared> released;
    {
        std::lock_guard lock(sharedMutex_);
        released = std::move(shared_);
    }
}

}  // namespace brackwell::win::server
