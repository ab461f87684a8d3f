// SPDX-License-Identifier: MIT
#include "engine/native_code.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "engine/register_machine.h"

namespace engine {

#if defined(__x86_64__) || defined(_M_X64)
namespace {

// What the code shares with the functions it calls, on its own stack: the accumulator and the
// failure mark are read and written through a pointer to this.
struct StepScratch {
  double accumulator;
  double boolSign;
  char failed;
  bool exact;
};

// The steps the code leaves to the machine, one at a time. Nothing here throws: no unwinding
// goes through the code.
void RunStep(const Step* step, double* registers, StepScratch* scratch) noexcept {
  ApplyStep<1>(*step, nullptr, scratch->exact, registers, &scratch->accumulator, &scratch->failed,
               scratch->boolSign, nullptr);
}
double ExactPower(double a, double b) noexcept { return Power(a, b, true); }
double ClassicPower(double a, double b) noexcept { return Power(a, b, false); }

enum Gpr : std::uint8_t { kRax = 0, kRcx = 1, kRdx = 2, kRbx = 3, kRsp = 4, kRsi = 6, kRdi = 7, kR8 = 8 };

// Where a call's first three integer arguments go, and where the code's own second argument
// (boolSign, the first double) arrives.
#ifdef _WIN32
constexpr Gpr kArgument[3] = {kRcx, kRdx, kR8};
constexpr int kBoolSignArrives = 1;
#else
constexpr Gpr kArgument[3] = {kRdi, kRsi, kRdx};
constexpr int kBoolSignArrives = 0;
#endif

// The code's stack frame, when it calls: the 32 bytes a Windows callee may use, the scratch,
// and the NaN tracker kept across calls. A multiple of 16, so that calls find the stack aligned
// once rbx is pushed.
constexpr std::int32_t kScratch = 32;
constexpr std::int32_t kFailed = kScratch + static_cast<std::int32_t>(offsetof(StepScratch, failed));
constexpr std::int32_t kTrackerKept = kScratch + 24;
constexpr std::int32_t kFrame = 64;
static_assert(offsetof(StepScratch, accumulator) == 0 && offsetof(StepScratch, boolSign) == 8);
static_assert(offsetof(StepScratch, exact) == offsetof(StepScratch, failed) + 1);
static_assert(sizeof(StepScratch) <= 24 && kTrackerKept + 8 <= kFrame && kFrame % 16 == 0);

// The accumulator, an operand, a scratch value, and the sum of (q - q) over every quotient,
// a NaN once one is not finite (its divisor may have been zero).
constexpr int kAcc = 0;
constexpr int kOperand = 1;
constexpr int kTemporary = 2;
constexpr int kTracker = 5;

// Scalar double instructions: movsd, and the four operations by their opcodes.
constexpr std::uint8_t kLoad = 0x10;
constexpr std::uint8_t kStore = 0x11;
constexpr std::uint8_t kAdd = 0x58;
constexpr std::uint8_t kMul = 0x59;
constexpr std::uint8_t kSub = 0x5C;
constexpr std::uint8_t kDiv = 0x5E;
constexpr std::uint8_t kSqrt = 0x51;

class Assembler {
 public:
  std::vector<std::uint8_t> bytes;

  void Bytes(std::initializer_list<std::uint8_t> list) { bytes.insert(bytes.end(), list); }
  void Imm32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Imm64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  // F2 0F op: xmm and the double at [base + disp] (base one of the first eight registers).
  void ScalarMemory(std::uint8_t op, int xmm, Gpr base, std::int32_t disp) {
    Bytes({0xF2, 0x0F, op});
    Address(xmm, base, disp);
  }
  void ScalarRegisters(std::uint8_t op, int dst, int src) { Bytes({0xF2, 0x0F, op, Direct(dst, src)}); }
  void Movapd(int dst, int src) { Bytes({0x66, 0x0F, 0x28, Direct(dst, src)}); }
  void Xorpd(int dst, int src) { Bytes({0x66, 0x0F, 0x57, Direct(dst, src)}); }
  void Ucomisd(int a, int b) { Bytes({0x66, 0x0F, 0x2E, Direct(a, b)}); }
  // The accumulator with its sign bit flipped or cleared, through rax.
  void NegateAccumulator() { ChangeAccumulatorSign(0xF8); }  // btc rax, 63
  void ClearAccumulatorSign() { ChangeAccumulatorSign(0xF0); }  // btr rax, 63
  void QuietNaNInAccumulator() {
    MoveImmediate(kRax, std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN()));
    Bytes({0x66, 0x48, 0x0F, 0x6E, 0xC0});  // movq xmm0, rax
  }

  void MoveImmediate(Gpr r, std::uint64_t value) {
    Bytes({static_cast<std::uint8_t>(0x48 | (r >> 3)), static_cast<std::uint8_t>(0xB8 | (r & 7))});
    Imm64(value);
  }
  void Move(Gpr dst, Gpr src) {
    Bytes({static_cast<std::uint8_t>(0x48 | ((src >> 3) << 2) | (dst >> 3)), 0x89, Direct(src & 7, dst & 7)});
  }
  // lea r, [rsp + disp]
  void AddressOfStack(Gpr r, std::int32_t disp) {
    Bytes({static_cast<std::uint8_t>(0x48 | ((r >> 3) << 2)), 0x8D});
    Address(r & 7, kRsp, disp);
  }
  void CallRax() { Bytes({0xFF, 0xD0}); }

  // A conditional jump (0F 8x) to a place further on, patched in by Land.
  std::size_t JumpForward(std::initializer_list<std::uint8_t> opcode) {
    Bytes(opcode);
    Imm32(0);
    return bytes.size();
  }
  void Land(std::size_t jumpEnd) {
    const auto distance = static_cast<std::uint32_t>(bytes.size() - jumpEnd);
    for (std::size_t i = 0; i < 4; ++i) bytes[jumpEnd - 4 + i] = static_cast<std::uint8_t>(distance >> (8 * i));
  }

 private:
  void ChangeAccumulatorSign(std::uint8_t bitTest) {
    Bytes({0x66, 0x48, 0x0F, 0x7E, 0xC0});          // movq rax, xmm0
    Bytes({0x48, 0x0F, 0xBA, bitTest, 0x3F});        // bt* rax, 63
    Bytes({0x66, 0x48, 0x0F, 0x6E, 0xC0});          // movq xmm0, rax
  }
  static std::uint8_t Direct(int reg, int rm) { return static_cast<std::uint8_t>(0xC0 | (reg << 3) | rm); }
  void Address(int reg, Gpr base, std::int32_t disp) {
    const bool small = disp >= -128 && disp <= 127;
    bytes.push_back(static_cast<std::uint8_t>(((small ? 1 : 2) << 6) | ((reg & 7) << 3) | (base & 7)));
    if (base == kRsp) bytes.push_back(0x24);
    if (small) bytes.push_back(static_cast<std::uint8_t>(disp));
    else Imm32(static_cast<std::uint32_t>(disp));
  }
};

// Whether the code does the step itself, or hands it to the machine.
bool Inline(Step::Op op) {
  switch (op) {
    case Step::Op::Add:
    case Step::Op::Sub:
    case Step::Op::Mul:
    case Step::Op::Div:
    case Step::Op::Pow:
    case Step::Op::Negate:
    case Step::Op::Builtin:
    case Step::Op::Spill:
    case Step::Op::Move: return true;
    default: return false;
  }
}

class Translator {
 public:
  Translator(const RegisterCode& code, std::vector<Step>& called) : code_(code), called_(called) {
    for (const Step& step : code.steps) {
      const bool builtin = step.op == Step::Op::Builtin;
      const BuiltinInstruction instruction = builtin ? Builtin(step).instruction : BuiltinInstruction::None;
      handsOver_ = handsOver_ || !Inline(step.op);
      calls_ = calls_ || !Inline(step.op) || (builtin && instruction == BuiltinInstruction::None) ||
               (step.op == Step::Op::Pow && !Squared(step));
      tracking_ = tracking_ || step.op == Step::Op::Div || (builtin && instruction != BuiltinInstruction::Abs);
    }
    base_ = calls_ ? kRbx : kArgument[0];
  }

  std::vector<std::uint8_t> Translate() {
    Prologue();
    for (const Step& step : code_.steps) Translate(step);
    Epilogue();
    return std::move(as_.bytes);
  }

 private:
  static constexpr std::uint8_t Operation(Step::Op op) {
    switch (op) {
      case Step::Op::Add: return kAdd;
      case Step::Op::Sub: return kSub;
      case Step::Op::Mul: return kMul;
      default: return kDiv;
    }
  }
  static std::int32_t Place(std::uint32_t reg) { return static_cast<std::int32_t>(reg * sizeof(double)); }

  BuiltinForCode Builtin(const Step& step) const { return BuiltinForCodeOf(code_.functions[step.fn]); }

  // x ^ 2 in double numbers is x * x, where the second operand is the constant 2.
  bool Squared(const Step& step) const {
    const bool constantSecond = (step.form == Step::Form::RR || step.form == Step::Form::AR) &&
                                step.b >= code_.slots && step.b < code_.slots + code_.constants.size();
    return code_.exact && constantSecond && code_.constants[step.b - code_.slots] == 2.0;
  }

  void Prologue() {
    if (calls_) {
      as_.Bytes({0x53, 0x48, 0x83, 0xEC, kFrame});  // push rbx; sub rsp, kFrame
      as_.Move(kRbx, kArgument[0]);
    }
    if (handsOver_) {
      as_.ScalarMemory(kStore, kBoolSignArrives, kRsp, kScratch + 8);
      // failed = 0 and exact, as one 16-bit store
      as_.Bytes({0x66, 0xC7, 0x44, 0x24, static_cast<std::uint8_t>(kFailed), 0x00,
                 static_cast<std::uint8_t>(code_.exact ? 1 : 0)});
    }
    if (tracking_) as_.Xorpd(kTracker, kTracker);
    as_.Xorpd(kAcc, kAcc);
  }

  void Epilogue() {
    if (!code_.resultInAccumulator) as_.ScalarMemory(kLoad, kAcc, base_, Place(code_.result));
    std::vector<std::size_t> failures;
    if (tracking_) {
      as_.Ucomisd(kTracker, kTracker);
      failures.push_back(as_.JumpForward({0x0F, 0x8A}));  // jp: a NaN
    }
    if (handsOver_) {
      as_.Bytes({0x80, 0x7C, 0x24, static_cast<std::uint8_t>(kFailed), 0x00});  // cmp byte [failed], 0
      failures.push_back(as_.JumpForward({0x0F, 0x85}));                       // jne
    }
    Return();
    if (failures.empty()) return;
    for (std::size_t jump : failures) as_.Land(jump);
    as_.QuietNaNInAccumulator();
    Return();
  }

  void Return() {
    if (calls_) as_.Bytes({0x48, 0x83, 0xC4, kFrame, 0x5B});  // add rsp, kFrame; pop rbx
    as_.Bytes({0xC3});
  }

  void Load(int xmm, std::uint32_t reg) { as_.ScalarMemory(kLoad, xmm, base_, Place(reg)); }

  // The first operand in the accumulator and the second in kOperand, whatever the form.
  void BothOperands(const Step& step) {
    switch (step.form) {
      case Step::Form::RR: Load(kAcc, step.a); Load(kOperand, step.b); break;
      case Step::Form::AR: Load(kOperand, step.b); break;
      case Step::Form::RA: as_.Movapd(kOperand, kAcc); Load(kAcc, step.a); break;
      case Step::Form::AA: as_.Movapd(kOperand, kAcc); break;
    }
  }

  void Arithmetic(const Step& step) {
    const std::uint8_t op = Operation(step.op);
    const bool commutes = step.op == Step::Op::Add || step.op == Step::Op::Mul;
    switch (step.form) {
      case Step::Form::RR: Load(kAcc, step.a); as_.ScalarMemory(op, kAcc, base_, Place(step.b)); break;
      case Step::Form::AR: as_.ScalarMemory(op, kAcc, base_, Place(step.b)); break;
      case Step::Form::RA:
        if (commutes) {
          as_.ScalarMemory(op, kAcc, base_, Place(step.a));
        } else {
          BothOperands(step);
          as_.ScalarRegisters(op, kAcc, kOperand);
        }
        break;
      case Step::Form::AA: as_.ScalarRegisters(op, kAcc, kAcc); break;
    }
    if (step.op == Step::Op::Div) Track();
  }

  // The accumulator into the tracker: a NaN there once it is not finite.
  void Track() {
    as_.Movapd(kTemporary, kAcc);
    as_.ScalarRegisters(kSub, kTemporary, kAcc);
    as_.ScalarRegisters(kAdd, kTracker, kTemporary);
  }

  void Call(const void* function) {
    if (tracking_) as_.ScalarMemory(kStore, kTracker, kRsp, kTrackerKept);
    as_.MoveImmediate(kRax, std::bit_cast<std::uintptr_t>(function));
    as_.CallRax();
    if (tracking_) as_.ScalarMemory(kLoad, kTracker, kRsp, kTrackerKept);
  }
  template <typename Function>
  void Call(Function* function) {
    Call(std::bit_cast<const void*>(function));
  }

  void Translate(const Step& step) {
    switch (step.op) {
      case Step::Op::Add:
      case Step::Op::Sub:
      case Step::Op::Mul:
      case Step::Op::Div: Arithmetic(step); break;
      case Step::Op::Pow:
        if (Squared(step)) {
          if (step.form == Step::Form::RR) Load(kAcc, step.a);
          as_.ScalarRegisters(kMul, kAcc, kAcc);
        } else {
          BothOperands(step);
          Call(code_.exact ? &ExactPower : &ClassicPower);
        }
        break;
      case Step::Op::Negate:
        if (step.form == Step::Form::RR) Load(kAcc, step.a);
        as_.NegateAccumulator();
        break;
      case Step::Op::Builtin: {
        if (step.form == Step::Form::RR) Load(kAcc, step.a);
        const BuiltinForCode builtin = Builtin(step);
        switch (builtin.instruction) {
          case BuiltinInstruction::Abs: as_.ClearAccumulatorSign(); break;
          case BuiltinInstruction::Sqrt: as_.ScalarRegisters(kSqrt, kAcc, kAcc); Track(); break;
          case BuiltinInstruction::None: Call(builtin.scalar); Track(); break;
        }
        break;
      }
      case Step::Op::Spill: as_.ScalarMemory(kStore, kAcc, base_, Place(step.dst)); break;
      case Step::Op::Move:
        Load(kOperand, step.a);
        as_.ScalarMemory(kStore, kOperand, base_, Place(step.dst));
        break;
      default:
        // RunStep(step, registers, &scratch)
        called_.push_back(step);
        as_.ScalarMemory(kStore, kAcc, kRsp, kScratch);
        as_.MoveImmediate(kArgument[0], std::bit_cast<std::uintptr_t>(&called_.back()));
        as_.Move(kArgument[1], kRbx);
        as_.AddressOfStack(kArgument[2], kScratch);
        Call(&RunStep);
        as_.ScalarMemory(kLoad, kAcc, kRsp, kScratch);
        break;
    }
  }

  const RegisterCode& code_;
  std::vector<Step>& called_;  // reserved for every step handed over: its addresses stay
  Assembler as_;
  bool calls_ = false;      // any call: rbx holds the registers, the frame is made
  bool handsOver_ = false;  // a step for the machine: the scratch and its failure mark
  bool tracking_ = false;   // a quotient or a built-in's value that may not be finite
  Gpr base_;
};

}  // namespace

std::unique_ptr<const NativeCode> NativeCode::Translated(const RegisterCode& code) {
  // Every register's place must be a 32-bit displacement.
  if (code.registers > (std::size_t{1} << 27)) return nullptr;
  std::unique_ptr<NativeCode> native(new NativeCode());
  std::size_t handedOver = 0;
  for (const Step& step : code.steps) {
    handedOver += Inline(step.op) ? 0 : 1;
    if (step.op == Step::Op::Builtin && BuiltinForCodeOf(code.functions[step.fn]).scalar == nullptr) return nullptr;
  }
  native->called_.reserve(handedOver);
  const std::vector<std::uint8_t> bytes = Translator(code, native->called_).Translate();
  native->memory_ = platform::ExecutableMemory::Holding(bytes);
  if (!native->memory_) return nullptr;
  native->entry_ = std::bit_cast<Entry>(native->memory_->start());
  return native;
}

#else

std::unique_ptr<const NativeCode> NativeCode::Translated(const RegisterCode&) { return nullptr; }

#endif

}  // namespace engine
