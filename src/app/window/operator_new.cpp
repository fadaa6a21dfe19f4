// The program's global allocator: malloc and free, as the standard library's, except that a
// request that cannot be served records its size before std::bad_alloc is thrown, so the fatal
// error box can name it. Linked into the programs only, never into a library.

#include <cstdlib>
#include <new>

#include "app/window/storage_failure.h"

void* operator new(std::size_t size) {
  if (size == 0) {
    size = 1;
  }
  for (;;) {
    if (void* block = std::malloc(size)) {
      return block;
    }
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) {
      veyla::window::RecordFailedAllocation(size);
      throw std::bad_alloc();
    }
    handler();
  }
}

void* operator new[](std::size_t size) {
  return ::operator new(size);
}

void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
