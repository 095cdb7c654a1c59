#pragma once
// Memory for the nodes of one tree and what goes with each of them (the node
// objects callers hold, the key index, long texts). A rebuild clears every
// node and adds as many again: from a pool they take the memory the cleared
// ones gave back instead of asking the heap for each. Nodes that outlive
// their tree keep the pool alive. Used from the control's thread only.

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <utility>

namespace brackwell::shared {

using NodePool = std::pmr::unsynchronized_pool_resource;

// An allocator over a shared pool, for allocate_shared: the control block of
// each object keeps its own copy, and with it the pool.
template <class T>
class PoolAllocator {
public:
    using value_type = T;

    explicit PoolAllocator(std::shared_ptr<NodePool> pool) noexcept : pool_(std::move(pool)) {}
    template <class U>
    PoolAllocator(const PoolAllocator<U>& other) noexcept : pool_(other.pool_) {}

    T* allocate(std::size_t n) { return static_cast<T*>(pool_->allocate(n * sizeof(T), alignof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { pool_->deallocate(p, n * sizeof(T), alignof(T)); }

    template <class U>
    bool operator==(const PoolAllocator<U>& other) const noexcept {
        return pool_ == other.pool_;
    }

private:
    template <class U>
    friend class PoolAllocator;
    std::shared_ptr<NodePool> pool_;
};

template <class T, class... Args>
std::shared_ptr<T> MakePooled(const std::shared_ptr<NodePool>& pool, Args&&... args) {
    return std::allocate_shared<T>(PoolAllocator<T>(pool), std::forward<Args>(args)...);
}

}  // namespace brackwell::shared
