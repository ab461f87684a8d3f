// SPDX-License-Identifier: MIT
#include "plugin/matrix_text.h"

#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace plugin {
namespace {


std::u16string Cell(const std::vector<std::u16string>& cells, std::size_t k) {
  const std::u16string_view text = k < cells.size() ? engine::Trim(cells[k]) : std::u16string_view();
  return text.empty() ? u"0" : std::u16string(text);
}

}  // namespace

std::u16string BracketedName(std::u16string_view name) {
  std::u16string_view bare = engine::Trim(name);
  if (bare.starts_with(u'[')) bare.remove_prefix(1);
  if (bare.ends_with(u']')) bare.remove_suffix(1);
  return u"[" + std::u16string(engine::Trim(bare)) + u"]";
}

std::u16string MatrixDialogText(std::u16string_view name, int rows, int cols, const std::vector<std::u16string>& cells,
                                bool dimX) {
  const std::u16string matrix = BracketedName(name);
  std::u16string text;
  if (dimX) {
    // Every row's line starts with DimX and the same name, so the lines build one matrix.
    for (int r = 0; r < rows; ++r) {
      text += u"DimX = " + matrix + u"(" + engine::IntegerText(rows) + u"," + engine::IntegerText(cols) + u")";
      for (int c = 0; c < cols; ++c)
        text += u"; (" + engine::IntegerText(r + 1) + u"," + engine::IntegerText(c + 1) + u")=" + Cell(cells, static_cast<std::size_t>(r * cols + c));
      text += u"\r\n";
    }
    return text;
  }
  text = (rows == 1 || cols == 1 ? u"Vect = " : u"Matr = ") + matrix + u"; " + engine::IntegerText(rows) + u"; " + engine::IntegerText(cols);
  for (int k = 0; k < rows * cols; ++k) text += u"; " + Cell(cells, static_cast<std::size_t>(k));
  return text + u"\r\n";
}

}  // namespace plugin
