#pragma once
// Memory for many small objects of the same few kinds that come and go
// together: the nodes of a tree (cleared and added again by every rebuild),
// the objects standing for the host's objects. From a pool they take the
// memory the last ones gave back instead of asking the heap for each.
//
// A pool serves one thread (the control's, or the host apartment's), and its
// objects keep it alive, so they may outlive whoever made it: every
// allocator and every object made through one holds a count on the pool,
// kept without atomic operations because only that thread touches it.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <utility>

namespace brackwell::shared {

class MemoryPool {
public:
    static MemoryPool* Create();
    void Hold() noexcept { ++holders_; }
    // Out of line: inlined into the copies an allocate_shared makes, the
    // delete misleads the compiler into warning of a use after free.
    void Release() noexcept;
    std::pmr::memory_resource* Resource() noexcept { return &memory_; }

private:
    MemoryPool() = default;
    std::pmr::unsynchronized_pool_resource memory_;
    std::size_t holders_ = 0;
};

// An allocator over a pool, for allocate_shared: the control block of each
// object keeps its own copy, and with it the pool.
template <class T>
class PoolAllocator {
public:
    using value_type = T;

    // A new pool, held by this allocator.
    PoolAllocator() : pool_(MemoryPool::Create()) { pool_->Hold(); }
    PoolAllocator(const PoolAllocator& other) noexcept : pool_(other.pool_) { pool_->Hold(); }
    template <class U>
    PoolAllocator(const PoolAllocator<U>& other) noexcept : pool_(other.pool_) {
        pool_->Hold();
    }
    PoolAllocator& operator=(const PoolAllocator&) = delete;
    ~PoolAllocator() { pool_->Release(); }

    T* allocate(std::size_t n) {
        return static_cast<T*>(pool_->Resource()->allocate(n * sizeof(T), alignof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { pool_->Resource()->deallocate(p, n * sizeof(T), alignof(T)); }
    std::pmr::memory_resource* Resource() const noexcept { return pool_->Resource(); }

    template <class U>
    bool operator==(const PoolAllocator<U>& other) const noexcept {
        return pool_ == other.pool_;
    }

private:
    template <class U>
    friend class PoolAllocator;
    MemoryPool* pool_;
};

// make_shared from the pool of `allocator` (kept by the caller across many objects).
template <class T, class U, class... Args>
std::shared_ptr<T> MakePooled(const PoolAllocator<U>& allocator, Args&&... args) {
    return std::allocate_shared<T>(allocator, std::forward<Args>(args)...);
}

}  // namespace brackwell::shared
