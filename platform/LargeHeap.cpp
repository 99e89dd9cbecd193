#include "platform/LargeHeap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vendaro {

#if defined(__linux__) && defined(__GLIBC__)

void prepareLargeHeap(std::size_t bytes) {
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  // The largest block the heap may hold; larger ones are mapped apart.
  constexpr std::size_t kHeapBlock = std::size_t{32} << 20;
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapBlock)) == 0) return;
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<std::size_t>(bytes * 2, INT32_MAX)));
  // The heap grows by blocks it can hold; once advised, they go back to it
  // as free memory for what follows.
  std::vector<void*> blocks;
  for (std::size_t grown = 0; grown < bytes; grown += kHeapBlock - kLargePage) {
    blocks.push_back(std::malloc(kHeapBlock - kLargePage));
  }
  const bool allTaken = std::find(blocks.begin(), blocks.end(), nullptr) == blocks.end();
  const auto start = reinterpret_cast<std::uintptr_t>(blocks.front());
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  if (allTaken && end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  for (void* block : blocks) std::free(block);
}

#else

void prepareLargeHeap(std::size_t) {}

#endif

}  // namespace vendaro
