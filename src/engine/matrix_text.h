// SPDX-License-Identifier: MIT
// Matrices defined by their text form, with elements read as numbers or evaluated as formulas.
#pragma once

#include <cstdint>
#include <string_view>

namespace engine {

struct Engine;

// "name;rows;cols;e11;e12;..." into the matrix store; with evaluate, each element is a formula.
std::intptr_t SetStrMatrix(Engine& engine, std::u16string_view text, bool returnAddr, bool evaluate);

}  // namespace engine
