#include "allocation_counter.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> g_news{0};
std::atomic<std::int64_t> g_mallocs{0};

}  // namespace

#ifndef KALEIDRA_BENCH_COUNT_NEW_ONLY
// glibc's own entry points, so that the replacements below can hand on.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* p);

void* malloc(std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) noexcept {
    g_mallocs.fetch_add(1, std::memory_order_relaxed);
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return ENOMEM;
    *out = p;
    return 0;
}
void free(void* p) noexcept {
    __libc_free(p);
}
}

namespace {
// operator new goes to glibc directly, so that it is not counted twice.
void* RawAlloc(std::size_t size) {
    return __libc_malloc(size);
}
void* RawAlignedAlloc(std::size_t alignment, std::size_t size) {
    return __libc_memalign(alignment, size);
}
void RawFree(void* p) {
    __libc_free(p);
}
}  // namespace
#else
namespace {
void* RawAlloc(std::size_t size) {
    return std::malloc(size);
}
void* RawAlignedAlloc(std::size_t alignment, std::size_t size) {
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}
void RawFree(void* p) {
    std::free(p);
}
}  // namespace
#endif

namespace {

void* CountedNew(std::size_t size) {
    g_news.fetch_add(1, std::memory_order_relaxed);
    if (void* p = RawAlloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void* CountedAlignedNew(std::size_t size, std::align_val_t alignment) {
    g_news.fetch_add(1, std::memory_order_relaxed);
    if (void* p = RawAlignedAlloc(static_cast<std::size_t>(alignment), size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return CountedNew(size);
}
void* operator new[](std::size_t size) {
    return CountedNew(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedNew(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedNew(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return CountedAlignedNew(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return CountedAlignedNew(size, alignment);
}
void operator delete(void* p) noexcept {
    RawFree(p);
}
void operator delete[](void* p) noexcept {
    RawFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    RawFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    RawFree(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    RawFree(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    RawFree(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    RawFree(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    RawFree(p);
}

namespace kaleidra::bench {

AllocationCount Allocations() {
    return {g_news.load(std::memory_order_relaxed), g_mallocs.load(std::memory_order_relaxed)};
}

bool CountsMalloc() {
#ifndef KALEIDRA_BENCH_COUNT_NEW_ONLY
    return true;
#else
    return false;
#endif
}

}  // namespace kaleidra::bench
