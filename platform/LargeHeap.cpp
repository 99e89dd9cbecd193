#include "platform/LargeHeap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vendaro {

#if defined(__linux__) && defined(__GLIBC__)

void prepareLargeHeap(std::size_t bytes) {
  constexpr std::size_t kLargePage = std::size_t{2} << 20;
  constexpr std::size_t kSmallPage = 4096;
  // The largest block the heap may hold; larger ones are mapped apart.
  constexpr std::size_t kHeapBlock = std::size_t{32} << 20;
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapBlock)) == 0) return;
  const int room = static_cast<int>(std::min<std::size_t>(bytes, INT32_MAX / 2));
  mallopt(M_TRIM_THRESHOLD, room * 2);
  // The heap grows once by all of it, for a block just larger than its free
  // top: malloc then writes only the block's head and that of the free rest,
  // both near the old end. A page written before the advice would keep
  // small pages for the whole large page around it. A block that a free
  // chunk elsewhere could hold is kept while the next one is asked for.
  constexpr int kDefaultTopPad = 128 * 1024;
  const auto oldEnd = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::array<void*, 4> blocks{};
  std::uintptr_t written = 0;
  mallopt(M_TOP_PAD, room);
  for (void*& block : blocks) {
    const std::size_t freeTop = mallinfo2().keepcost;
    if (freeTop >= kHeapBlock / 2 || (block = std::malloc(freeTop + 1)) == nullptr) break;
    written = reinterpret_cast<std::uintptr_t>(block) + freeTop + kSmallPage;
    if (reinterpret_cast<std::uintptr_t>(sbrk(0)) != oldEnd) break;
  }
  mallopt(M_TOP_PAD, kDefaultTopPad);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t first = (written + kLargePage - 1) & ~(kLargePage - 1);
  if (end != oldEnd && end > first) {
    madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  }
  for (void* block : blocks) std::free(block);
}

#else

void prepareLargeHeap(std::size_t) {}

#endif

}  // namespace vendaro
