// Counts the heap the benchmarks use: every global operator new and delete
// of the benchmark program goes through here, so bench_support can report
// the peak heap growth of a benchmark's loop. A block counts as the bytes
// the allocator hands out (malloc_usable_size) plus its 8-byte header: what
// the block really takes from the heap. Allocations made with malloc by C
// libraries (iconv, stdio) are not counted.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench_support.h"

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};
std::atomic<std::size_t> g_base{0};  // g_inUse at the last ResetHeapPeak

std::size_t BlockBytes(void* p) { return malloc_usable_size(p) + sizeof(std::size_t); }

void* Allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  const std::size_t now = g_inUse.fetch_add(BlockBytes(p), std::memory_order_relaxed) + BlockBytes(p);
  std::size_t peak = g_peak.load(std::memory_order_relaxed);
  while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return p;
}

void Release(void* p) noexcept {
  if (!p) return;
  g_inUse.fetch_sub(BlockBytes(p), std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

namespace quillet::bench_support {
void ResetHeapPeak() {
  const std::size_t now = g_inUse.load(std::memory_order_relaxed);
  g_base.store(now, std::memory_order_relaxed);
  g_peak.store(now, std::memory_order_relaxed);
}
std::size_t HeapPeakGrowth() {
  const std::size_t peak = g_peak.load(std::memory_order_relaxed);
  const std::size_t base = g_base.load(std::memory_order_relaxed);
  return peak > base ? peak - base : 0;
}
}  // namespace quillet::bench_support

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
