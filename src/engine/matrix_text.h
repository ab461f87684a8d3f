// SPDX-License-Identifier: MIT
// Matrices defined by their text form, with elements read as numbers or evaluated as formulas.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace engine {

struct Engine;

// "name;rows;cols;e11;e12;..." into the matrix store; with evaluate, each element is a formula.
std::intptr_t SetStrMatrix(Engine& engine, std::u16string_view text, bool returnAddr, bool evaluate);

// The matrix `name` of rows x cols from its element fields, row by row.
std::intptr_t SetFieldMatrix(Engine& engine, const std::u16string& name, std::int32_t rows, std::int32_t cols,
                             std::span<const std::u16string_view> elements, bool evaluate);

}  // namespace engine
