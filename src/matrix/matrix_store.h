// SPDX-License-Identifier: MIT
// The store of named matrices and vectors: records that give element memory a name and its
// dimensions. Callers' memory is only recorded; memory the library allocated for a matrix is
// owned by its records and released when the last of them goes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "matrix/element_order.h"

namespace engine {
struct Core;
}

namespace matrix {

struct MatrixRecord {
  std::u16string Name;                // lower-cased and trimmed
  double* Addr = nullptr;             // first element, row-major
  std::int8_t Internal = 0;           // -1 when made while an expression was evaluated
  std::int32_t rows = 1;
  std::int32_t cols = 1;
  std::int32_t index = 0;             // list position when added; never renumbered
  std::int8_t vector = 0;             // -1 when rows or cols is 1
  std::shared_ptr<double[]> owned;    // the library's memory behind Addr; empty for callers'
};

struct MatrixStore {
  std::vector<MatrixRecord> records;  // in insertion order
  ElementOrder elementOrder;          // callers' element order and the reorder suppression
};

// FindMatrix flag bits.
inline constexpr std::int32_t kFindReturnAddr = 0x01;
inline constexpr std::int32_t kFindReturnPosition = 0x02;
inline constexpr std::int32_t kFindByAddr = 0x08;
inline constexpr std::int32_t kFindByName = 0x20;

// Memory for a matrix of rows x cols (at least one element), zero-filled; empty when the size
// is beyond what can be allocated.
std::shared_ptr<double[]> NewElements(std::size_t count);

// Adds or updates the record `name` for the elements at addr; `owned`, when given, is the
// library's memory behind addr. Returns the list position, or the address as a number with
// returnAddr (an existing record of equal dimensions gets the elements copied in and always
// returns its position).
std::intptr_t SetMatrix(engine::Core& core, MatrixStore& store, std::u16string_view name,
                        double* addr, std::int32_t rows, std::int32_t cols, bool returnAddr,
                        std::shared_ptr<double[]> owned = {});

// The name of an internal matrix: "m_" and the decimal address of its elements.
std::u16string InternalName(const double* addr);

// Adds a record for library memory made during an evaluation, under its internal name, without
// looking for an existing one; returns the address.
double* AddInternalMatrix(engine::Core& core, MatrixStore& store, std::shared_ptr<double[]> memory,
                          std::int32_t rows, std::int32_t cols);

// Finds a record by trimmed, lower-cased name (0x20) or by the decimal text of its address
// (0x08); returns its address (0x01) or live position (0x02), or 0 with e_error 14.
std::intptr_t FindMatrix(engine::Core& core, MatrixStore& store, std::u16string_view key,
                         std::int32_t flags, std::int32_t* rows, std::int32_t* cols, bool report);

// The record at an address, or null.
MatrixRecord* RecordAt(MatrixStore& store, const double* addr);

// keep 0: removes every record; otherwise the internal records whose address is not keep.
// Returns the number removed and sets e_error to -1.
std::int32_t ClearMatrixList(engine::Core& core, MatrixStore& store, std::intptr_t keep);

// Removes the internal records other than keep's (keep 0 keeps none); e_error is untouched, so
// an evaluation can clean up after itself and still report its outcome.
std::int32_t ClearInternalMatrices(engine::Core& core, MatrixStore& store, std::intptr_t keep);

// Reads one element field of the text form; returns false with e_error set when it fails.
using ElementReader = std::function<bool(std::u16string_view field, double& value)>;

// Builds a matrix from its name, dimensions and element fields (row by row), reading each
// trimmed field with readElement. Returns as SetMatrix does, or the error code.
std::intptr_t SetFieldMatrix(engine::Core& core, MatrixStore& store, const std::u16string& name, std::int32_t rows,
                             std::int32_t cols, std::span<const std::u16string_view> elements, bool returnAddr,
                             const ElementReader& readElement);

// SetFieldMatrix from the text form "name;rows;cols;e11;e12;...".
std::intptr_t SetStrMatrix(engine::Core& core, MatrixStore& store, std::u16string_view text,
                           bool returnAddr, const ElementReader& readElement);

// The listing of every record, with the elements when showElements.
std::u16string GetMatrixList(engine::Core& core, MatrixStore& store, bool showElements);

// Copies a caller's matrix (source) into destination through the element order.
std::int32_t GetMatrixByLong(engine::Core& core, MatrixStore& store, const double* source,
                             double* destination, std::int32_t rows, std::int32_t cols);

}  // namespace matrix
