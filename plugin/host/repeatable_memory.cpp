#include "repeatable_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace {
constexpr uint64_t kWindow = uint64_t{1} << 32;
// Where in the 4 GiB window the block starts: an address like those of a receiver's heap, and
// never 0, which the log would show like an empty reference.
constexpr uint64_t kOffset = 0x10080000;
constexpr size_t kPage = 4096;
}  // namespace

RepeatableMemory::RepeatableMemory(size_t bytes) {
  if (sizeof(void*) < 8 || bytes == 0)
    return;  // a 32-bit process has no spare window to align in
  const size_t wanted = (bytes + kPage - 1) / kPage * kPage;
  // Address space only: nothing is backed until the block's own pages are made writable.
  const size_t reserved = static_cast<size_t>(kWindow + kOffset) + wanted;
  void* space =
      mmap(nullptr, reserved, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (space == MAP_FAILED)
    return;
  const auto base = reinterpret_cast<uintptr_t>(space);
  const uintptr_t start = ((base + kWindow - 1) & ~(kWindow - 1)) + kOffset;
  if (mprotect(reinterpret_cast<void*>(start), wanted, PROT_READ | PROT_WRITE) != 0) {
    munmap(space, reserved);
    return;
  }
  // Give back the address space around the block.
  if (start > base)
    munmap(space, start - base);
  const uintptr_t end = start + wanted;
  if (base + reserved > end)
    munmap(reinterpret_cast<void*>(end), base + reserved - end);
  block = reinterpret_cast<void*>(start);
  length = wanted;
}

RepeatableMemory::~RepeatableMemory() {
  if (block)
    munmap(block, length);
}
