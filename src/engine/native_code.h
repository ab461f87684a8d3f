// SPDX-License-Identifier: MIT
// Register code translated to the processor's own instructions (x86-64), for evaluations at one
// point: the accumulator is a processor register, each arithmetic step one or two instructions
// on the registers' memory, and the rarer steps calls into the register machine itself, so the
// values are those the machine gives. Where the translation is unsure of a value (a step that
// may have failed, a result that is not a number), it gives a NaN and the machine is asked.
#pragma once

#include <memory>
#include <vector>

#include "engine/register_code.h"
#include "platform/executable_memory.h"

namespace engine {

class NativeCode {
 public:
  // The translation, or nothing on processors other than x86-64 or where the system gives no
  // executable memory.
  static std::unique_ptr<const NativeCode> Translated(const RegisterCode& code);

  // The formula's value with the registers as NewFrame made them and the slots filled, a true
  // comparison worth boolSign; a NaN when the register machine is to say.
  double Run(double* registers, double boolSign) const { return entry_(registers, boolSign); }

 private:
  using Entry = double (*)(double* registers, double boolSign);

  NativeCode() = default;

  std::vector<Step> called_;  // the steps run by the machine, which the code points into
  std::unique_ptr<platform::ExecutableMemory> memory_;
  Entry entry_ = nullptr;
};

}  // namespace engine
