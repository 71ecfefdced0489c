#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>

// The C library's own functions, which these stand in front of (glibc exports them).
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<std::size_t> bytes{0}, largest{0}, calls{0};

void Count(std::size_t size) {
    if (!counting.load(std::memory_order_relaxed)) return;
    bytes.fetch_add(size, std::memory_order_relaxed);
    calls.fetch_add(1, std::memory_order_relaxed);
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

} // namespace

extern "C" {
void* malloc(std::size_t size) {
    Count(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count(count * size);
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) {
    Count(size);
    return __libc_realloc(pointer, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    Count(size);
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    Count(size);
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** pointer, std::size_t alignment, std::size_t size) {
    Count(size);
    *pointer = __libc_memalign(alignment, size);
    return *pointer == nullptr ? 12 /* ENOMEM */ : 0;
}
}

namespace vorelin::bench {

void StartCountingAllocations() {
    bytes = 0;
    largest = 0;
    calls = 0;
    counting = true;
}

AllocationCount StopCountingAllocations() {
    counting = false;
    return {bytes.load(), largest.load(), calls.load()};
}

} // namespace vorelin::bench
