// SPDX-License-Identifier: MIT
// The one-pass parser and evaluator: precedence climbing over the tokenizer's stream.
#pragma once

#include <cstdint>

#include "engine_core/token_cursor.h"

namespace engine {

struct Engine;

// Deepest nesting of brackets, unary signs and calls; deeper input ends with code 3.
inline constexpr std::int32_t kMaxNesting = 256;

// Parses and evaluates one operand and every following binary operator whose threshold
// admits `level`. type: in the operand's starting type, out the result's (0 number, 1 matrix).
double e_prs(Engine& engine, int level, std::int8_t& type);

// Consumes the current token, setting e_error 6 first when it is not the expected one.
std::int32_t e_match(Engine& engine, Tok expected, char16_t expectedChar = 0);

}  // namespace engine
