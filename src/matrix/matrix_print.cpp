// SPDX-License-Identifier: MIT
#include "matrix/matrix_print.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine_core/core.h"
#include "engine_core/number_text.h"
#include "matrix/matrix_store.h"

namespace matrix {
namespace {

int DecimalsOf(std::u16string_view format) {
  std::size_t point = format.find(u'.');
  if (point == std::u16string_view::npos) return 4;
  return static_cast<int>(std::min<std::size_t>(format.size() - point - 1, 512));
}

// An element in the format's decimals, or in double numbers with every digit it needs.
std::u16string ElementText(const engine::Core& core, double value, int decimals) {
  if (core.settings.exact()) return engine::ValueText(engine::Numbers::Double, value);
  return engine::FormatFixed(value, decimals);
}

}  // namespace

std::u16string aPrint(engine::Core& core, const MatrixStore& store, const double* addr,
                      std::int32_t rows, std::int32_t cols, std::u16string_view mode,
                      std::u16string_view format, std::u16string_view title,
                      std::u16string_view separator) {
  if (mode.empty()) mode = u"MsgBox";
  const int decimals = DecimalsOf(format);
  const std::u16string tab = separator.empty() ? u"\t" : std::u16string(separator);
  std::u16string text = std::u16string(title) + u"\r\n";

  const std::size_t count = addr == nullptr ? 0 : ElementCount(rows, cols);
  std::vector<double> a(count);
  if (count != 0) aCopyArray(store.elementOrder, addr, a.data(), rows, cols);
  const auto r = static_cast<std::size_t>(std::max(rows, 0));
  const auto c = static_cast<std::size_t>(std::max(cols, 0));
  if (count != 0 && (c == 1 || r == 1)) {
    for (std::size_t i = 0; i < count; ++i) {
      if (i != 0) text += u"\r\n";
      text += u"V(" + engine::IntegerText(i) + u")=" + ElementText(core, a[i], decimals);
    }
  } else if (count != 0) {
    for (std::size_t i = 0; i < r; ++i) {
      if (i != 0) text += u"\r\n";
      for (std::size_t j = 0; j < c; ++j)
        text += u"A(" + engine::IntegerText(i) + u"," + engine::IntegerText(j) + u")=" + ElementText(core, a[i * c + j], decimals) + tab;
    }
  }

  if (mode == u"Debug") {
    engine::DebugAdd(core, text, u"aPrint", false);
  } else if (mode == u"MsgBox") {
    core.platform.ShowMessage(text, u"Morvane.dll", platform::Buttons::Ok);
  }
  return text;
}

std::u16string aShow(engine::Core& core, const MatrixStore& store, const double* addr,
                     std::int32_t rows, std::int32_t cols) {
  const std::int32_t saved = std::exchange(core.options.messageFlag, engine::kShowErrors);
  std::u16string text = aPrint(core, store, addr, rows, cols, u"MsgBox", u"", u"", u"");
  core.options.messageFlag = saved;
  return text;
}

}  // namespace matrix
