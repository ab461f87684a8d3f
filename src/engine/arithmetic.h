// SPDX-License-Identifier: MIT
// The binary operators of formulas, and what they do when both operands are numbers.
#pragma once

namespace engine {

struct Core;

enum class BinaryOp { None, Pow, Mul, Div, IntDiv, Mod, Add, Sub, Eq, Lt, Gt, Ne, Le, Ge, And, Or, Xor };

// a op b for two numbers. A zero divisor of "/", "\" or "mod" sets code 8 and gives a back.
double NumberArithmetic(Core& core, BinaryOp op, double a, double b);

}  // namespace engine
