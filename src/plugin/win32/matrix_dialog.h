// SPDX-License-Identifier: MIT
// The "Vector / Matrix" dialog: a vector or matrix typed cell by cell and given back as text
// of the command language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plugin {

// Runs the dialog; the text of its cells, or nothing when it was cancelled. A text "name = rows;
// cols; ..." offers to start from that matrix's name and size.
std::optional<std::u16string> Run_MtxMaker(std::u16string_view import);

}  // namespace plugin
