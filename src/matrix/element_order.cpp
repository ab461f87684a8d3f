// SPDX-License-Identifier: MIT
#include "matrix/element_order.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace matrix {

std::size_t ElementCount(std::int32_t rows, std::int32_t cols) {
  if (rows <= 0 || cols <= 0) return 0;
  const auto count = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(cols);
  if (count > std::numeric_limits<std::size_t>::max() / sizeof(double)) return 0;
  return static_cast<std::size_t>(count);
}

std::int32_t aCopyArray(const ElementOrder& order, const double* source, double* destination,
                        std::int32_t rows, std::int32_t cols) {
  const std::size_t count = ElementCount(rows, cols);
  if (count == 0 || source == nullptr || destination == nullptr) return kTrue;
  if (order.order != 1 || order.suppressed != 0) {
    std::copy_n(source, count, destination);
    return kTrue;
  }
  // Source element k is (row k mod rows, column k div rows).
  const auto r = static_cast<std::size_t>(rows);
  const auto c = static_cast<std::size_t>(cols);
  for (std::size_t k = 0; k < count; ++k) destination[(k % r) * c + k / r] = source[k];
  return kTrue;
}

std::int32_t aElemOrder(ElementOrder& order, const double* probe) {
  order.order = probe != nullptr && probe[1] == 2.0 ? 0 : 1;
  return order.order;
}

std::int32_t aElemOrderSet(ElementOrder& order, std::int32_t value) {
  if (value == 0 || value == 1) {
    order.order = value;
    return kTrue;
  }
  order.order = -1;
  return kInvalidElementOrder;
}

std::int32_t aElemOrderSt(ElementOrder& order, std::u16string_view language) {
  order.order = language == u"Visual Basic" || language == u"VB" ? 1 : 0;
  return order.order;
}

std::int32_t aElemOrderEx(ElementOrder& order, const void* address, std::int32_t selector) {
  switch (selector) {
    case 0: return aElemOrder(order, static_cast<const double*>(address));
    case 2: {
      if (address == nullptr) return aElemOrderSet(order, -1);
      std::int32_t value = 0;
      std::memcpy(&value, address, sizeof(value));
      return aElemOrderSet(order, value);
    }
    case 3: return order.order;
    default: return 0;
  }
}

}  // namespace matrix
