// SPDX-License-Identifier: MIT
// The differentiator's tokenizer and parser: formula text into the node table.
#pragma once

#include <cstdint>
#include <string>

#include "diff/diff_state.h"

namespace diff {

// Reads the next lexeme of s.formula at s.pos into code and text.
void GetLex(Diff& d, std::int32_t& code, std::u16string& text);

// The number text starting at s.pos: digits [. digits] [e|E [+|-] digits].
std::u16string GetNumber(Diff& d);

// sum -> product { ("+" | "-") product }; consumes a closing ")". Returns the root node.
std::int32_t GetTreeExpr(Diff& d);

// product -> ["-"] ["+"] factor { ("*" | "/") factor }, a leading minus covering the product.
std::int32_t GetOp(Diff& d, std::int32_t& code);

// factor -> ( "(" sum | number | name | function "(" sum ) { "^" exponent }, where the
// exponent is one number or name, optionally in brackets.
std::int32_t GetSingleOp(Diff& d, std::int32_t& code, std::u16string& text);

// The next free node, cleared; past the table's end, an error and node 0.
std::int32_t NewNode(Diff& d);

// Starts a parse of text from its first character.
void StartParse(DiffState& s, std::u16string_view text);

// The name of a code in traces and listings ("(", "+", "#", "f(x)", "sin", ...).
std::u16string_view CodeName(std::int32_t code);

}  // namespace diff
