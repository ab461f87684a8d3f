// SPDX-License-Identifier: MIT
// A fresh engine and differentiator state per test, with the parse of a text into the node
// table.
#pragma once

#include <cstdint>
#include <string_view>

#include "diff/diff_state.h"
#include "diff/tree_parser.h"
#include "support/engine_fixture.h"

namespace testing_support {

class DiffTest : public EngineTest {
 protected:
  diff::DiffState state;
  diff::Diff d{eng.core, state};

  // Parses text into an empty node table; returns the root.
  std::int32_t Parse(std::u16string_view text) {
    diff::StartParse(state, text);
    state.Index = 0;
    return diff::GetTreeExpr(d);
  }
  // Whether the last parse failed or left brackets unbalanced.
  bool Rejected() const { return state.diffErr != 0 || state.bc != 0; }
};

}  // namespace testing_support
