#pragma once
// A lock around a few instructions' worth of work that is hardly ever
// contended (the objects of one apartment, looked up and released on its
// thread): one atomic operation to take it, where a mutex costs a call into
// the threads library.

#include <atomic>
#include <thread>

namespace brackwell::win {

class SpinLock {
public:
    void lock() noexcept {
        while (flag_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    void unlock() noexcept { flag_.clear(std::memory_order_release); }

private:
    std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

}  // namespace brackwell::win
