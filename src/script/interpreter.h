// SPDX-License-Identifier: MIT
// The command interpreter: runs a script of command lines against the engine's stores and
// builds the output text that reports every executed line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/line_record.h"

#include "ui/plot_output.h"
#include "ui/text_windows.h"

namespace engine {
struct Engine;
}
namespace diff {
struct DiffState;
}

namespace script {

struct RunRequest {
  std::u16string_view text;       // the script, lines separated by CR LF
  std::int32_t decimals = 4;      // decimals of every number written
  bool bare = false;              // captions left out of the results
  bool selection = false;         // only the lines whose number + offset is in lineList run
  std::u16string_view lineList;   // ";n;m;...;"
  std::int32_t lineOffset = 0;
  std::int32_t firstNumber = 1;   // the number of the script's first line, as its echo lines say
  bool quiet = false;             // echo lines only for commands that failed
  ui::PlotSaving plotSaving;      // the save-plots option
  bool progress = false;          // report each line to the progress display
  bool keepRecords = false;       // the result keeps every line's record, not only the text
};

struct RunResult {
  std::u16string output;
  std::vector<LineRecord> records;  // when the request keeps them, one per line written
  std::int32_t executed = 0;
  std::int32_t errors = 0;
  std::int32_t Code() const { return executed * 1000 + errors; }
};

// What the interpreter keeps between runs.
struct InterpreterState {
  std::u16string polyVariable;    // set by VarPolyn, used by Derivate and SolvePolyn
  std::int32_t stringError = -1;  // file-reader status of the current line (-2: not found)
};

struct Context {
  engine::Engine& engine;
  diff::DiffState& diff;
  InterpreterState& state;
  ui::PlotOutput* plots = nullptr;  // where plots go; none: they are sampled only
  ui::Progress* progress = nullptr; // the progress display; none: not shown
};

RunResult RunScript(Context& context, const RunRequest& request);

}  // namespace script
