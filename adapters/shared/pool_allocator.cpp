#include "adapters/shared/pool_allocator.h"

namespace brackwell::shared {

MemoryPool* MemoryPool::Create() { return new MemoryPool; }

void MemoryPool::Release() noexcept {
    if (--holders_ == 0) delete this;
}

}  // namespace brackwell::shared
