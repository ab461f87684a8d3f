// SPDX-License-Identifier: MIT
// The Markdown tables of one expression file: ns per evaluation for each expression, then the
// summary over the expressions every evaluator accepts and agrees on.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "peers_measure.h"

namespace peers {

struct FileResult {
  std::string name;
  std::vector<Row> rows;
  std::vector<Expression> leftOut;  // chained powers, read differently by convention
  double floorNs = 0;
};

void PrintFile(const FileResult& result, const std::vector<Side>& sides, std::size_t reference);

}  // namespace peers
