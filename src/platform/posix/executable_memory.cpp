// SPDX-License-Identifier: MIT
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "platform/executable_memory.h"

namespace platform {

std::unique_ptr<ExecutableMemory> ExecutableMemory::Holding(std::span<const std::uint8_t> code) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t size = (code.size() + page - 1) / page * page;
  void* start = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) return nullptr;
  std::memcpy(start, code.data(), code.size());
  if (mprotect(start, size, PROT_READ | PROT_EXEC) != 0) {
    munmap(start, size);
    return nullptr;
  }
  return std::unique_ptr<ExecutableMemory>(new ExecutableMemory(start, size));
}

ExecutableMemory::~ExecutableMemory() { munmap(start_, size_); }

}  // namespace platform
