// SPDX-License-Identifier: MIT
// Machine code made at run time, in memory of its own that is never writable and executable at
// once: the bytes are written while the pages are only writable, then the pages are made only
// executable for as long as the code lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace platform {

class ExecutableMemory {
 public:
  // The code in pages of its own, or nothing where the system refuses them.
  static std::unique_ptr<ExecutableMemory> Holding(std::span<const std::uint8_t> code);
  ~ExecutableMemory();
  ExecutableMemory(const ExecutableMemory&) = delete;
  ExecutableMemory& operator=(const ExecutableMemory&) = delete;

  const void* start() const { return start_; }

 private:
  ExecutableMemory(void* start, std::size_t size) : start_(start), size_(size) {}

  void* start_;
  std::size_t size_;
};

}  // namespace platform
