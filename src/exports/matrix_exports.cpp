// SPDX-License-Identifier: MIT
// Exports of the matrix store, the element order and the printing of matrices.
#include <algorithm>
#include <cstring>

#include "engine/matrix_text.h"
#include "exports/abi.h"
#include "matrix/matrix_print.h"
#include "matrix/matrix_store.h"
#include "morvane.h"

using exports::guarded;
using exports::In;
using exports::session;

namespace {
engine::Core& Core() { return session().engine.core; }
matrix::MatrixStore& Store() { return session().engine.matrices; }
matrix::ElementOrder& Order() { return session().engine.matrices.elementOrder; }
}  // namespace

intptr_t MORVANE_CALL SetMatrix(const char16_t* name, double* addr, int32_t rows, int32_t cols,
                                uint8_t returnAddr) {
  return guarded<intptr_t>(0, [&] {
    return matrix::SetMatrix(Core(), Store(), In(name), addr, rows, cols, returnAddr != 0);
  });
}

intptr_t MORVANE_CALL FindMatrix(const char16_t* key, int32_t flags, int32_t* rows, int32_t* cols,
                                 uint8_t report) {
  return guarded<intptr_t>(0, [&] {
    return matrix::FindMatrix(Core(), Store(), In(key), flags, rows, cols, report != 0);
  });
}

intptr_t MORVANE_CALL SetStrMatrix(const char16_t* text, uint8_t returnAddr, uint8_t evaluate) {
  return guarded<intptr_t>(0, [&] {
    return engine::SetStrMatrix(session().engine, In(text), returnAddr != 0, evaluate != 0);
  });
}

const char16_t* MORVANE_CALL GetMatrixList(uint8_t showElements) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.matrixList, matrix::GetMatrixList(Core(), Store(), showElements != 0));
  });
}

int32_t MORVANE_CALL ClearMatrixList(intptr_t keep) {
  return guarded(0, [&] { return matrix::ClearMatrixList(Core(), Store(), keep); });
}

int32_t MORVANE_CALL GetMatrixByLong(const double* source, double* destination, int32_t rows, int32_t cols) {
  return guarded(0, [&] { return matrix::GetMatrixByLong(Core(), Store(), source, destination, rows, cols); });
}

int32_t MORVANE_CALL aCopyArray(const double* source, double* destination, int32_t rows, int32_t cols) {
  return guarded(0, [&] { return matrix::aCopyArray(Order(), source, destination, rows, cols); });
}

int32_t MORVANE_CALL aCopy(const double* source, int32_t rows, int32_t cols, double* destination) {
  return guarded(0, [&] {
    if (source != nullptr && destination != nullptr)
      std::memmove(destination, source, matrix::ElementCount(rows, cols) * sizeof(double));
    return matrix::kTrue;
  });
}

int32_t MORVANE_CALL aDupl(const double* source, int32_t rows, int32_t cols, double* destination) {
  return aCopy(source, rows, cols, destination);
}

int32_t MORVANE_CALL aCombine() { return 0; }
int32_t MORVANE_CALL aInsert() { return 0; }
int32_t MORVANE_CALL aSub() { return 0; }

int32_t MORVANE_CALL aElemOrder(const double* probe) {
  return guarded(0, [&] { return matrix::aElemOrder(Order(), probe); });
}

int32_t MORVANE_CALL aElemOrderEx(const void* address, int32_t selector) {
  return guarded(0, [&] { return matrix::aElemOrderEx(Order(), address, selector); });
}

int32_t MORVANE_CALL aElemOrderGet() {
  return guarded(0, [] { return Order().order; });
}

int32_t MORVANE_CALL aElemOrderSet(int32_t order) {
  return guarded(0, [&] { return matrix::aElemOrderSet(Order(), order); });
}

int32_t MORVANE_CALL aElemOrderSt(const char16_t* language) {
  return guarded(0, [&] { return matrix::aElemOrderSt(Order(), In(language)); });
}

const char16_t* MORVANE_CALL aPrint(const double* a, int32_t rows, int32_t cols, const char16_t* mode,
                                    const char16_t* format, const char16_t* title, const char16_t* separator) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.print, matrix::aPrint(Core(), Store(), a, rows, cols, In(mode),
                                                               In(format), In(title), In(separator)));
  });
}

int32_t MORVANE_CALL aPrintEx(const double* a, int32_t rows, int32_t cols, const char16_t* mode,
                              const char16_t* format, const char16_t* title, const char16_t* separator,
                              char16_t* buffer) {
  return guarded(0, [&] {
    if (buffer == nullptr) return 1;
    std::u16string text =
        matrix::aPrint(Core(), Store(), a, rows, cols, In(mode), In(format), In(title), In(separator));
    const std::size_t capacity = std::u16string_view(buffer).size();
    if (capacity == 0 && text.empty()) return 10;
    std::fill_n(buffer, capacity, u' ');
    const std::size_t count = std::min(capacity, text.size());
    std::copy_n(text.data(), count, buffer);
    return static_cast<int32_t>(count);
  });
}

const char16_t* MORVANE_CALL aShow(const double* a, int32_t rows, int32_t cols) {
  return guarded<const char16_t*>(u"", [&] {
    return exports::hold(session().texts.show, matrix::aShow(Core(), Store(), a, rows, cols));
  });
}

const char16_t* MORVANE_CALL aShowByLong(const double* a, int32_t rows, int32_t cols) {
  return aShow(a, rows, cols);
}
