// SPDX-License-Identifier: MIT
#include <windows.h>

#include <cstring>

#include "platform/executable_memory.h"

namespace platform {

std::unique_ptr<ExecutableMemory> ExecutableMemory::Holding(std::span<const std::uint8_t> code) {
  void* start = VirtualAlloc(nullptr, code.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (start == nullptr) return nullptr;
  std::memcpy(start, code.data(), code.size());
  DWORD before = 0;
  if (!VirtualProtect(start, code.size(), PAGE_EXECUTE_READ, &before) ||
      !FlushInstructionCache(GetCurrentProcess(), start, code.size())) {
    VirtualFree(start, 0, MEM_RELEASE);
    return nullptr;
  }
  return std::unique_ptr<ExecutableMemory>(new ExecutableMemory(start, code.size()));
}

ExecutableMemory::~ExecutableMemory() { VirtualFree(start_, 0, MEM_RELEASE); }

}  // namespace platform
