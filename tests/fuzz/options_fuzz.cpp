// SPDX-License-Identifier: MIT
// Fuzz target: any batch command line through the option parser (parsing only: a run would
// write the files the options name).
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/batch_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string line(data, data + size);
  const script::RunFlags flags = script::ParseOptions(line);
  if (flags.decimals < 0 || flags.decimals > 15) __builtin_trap();
  const std::u16string dump = script::FlagsDump(flags);
  return dump.empty() ? 1 : 0;
}
