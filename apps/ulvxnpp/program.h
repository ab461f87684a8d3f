// SPDX-License-Identifier: MIT
// What the program does with its options: one batch run on a script, a formula or standard
// input, or an interactive session; output to stdout or a file; the exit status.
#pragma once

#include <optional>
#include <string>

#include "engine_core/formula_settings.h"

namespace ulvxnpp {

inline constexpr int kExitOk = 0;       // every command ran
inline constexpr int kExitFailed = 1;   // one or more commands failed
inline constexpr int kExitUsage = 2;    // a usage error, or input that could not be read
inline constexpr int kExitInterrupted = 130;  // stopped by Ctrl+C, as a shell reports SIGINT

struct ProgramOptions {
  std::string script;                   // script file; "-" for standard input
  std::optional<std::string> expr;      // -e: the script text itself
  std::optional<std::string> output;    // -o FILE ("" = Result.ulv beside the script)
  std::optional<std::string> append;    // -a FILE
  std::optional<std::string> log;       // --log [FILE]
  std::optional<std::string> lines;     // --lines 3;7
  std::optional<std::string> savePlots; // --save-plots [DIR]
  std::optional<std::string> plotFormat;  // --plot-format png|svg|jpg
  int lineOffset = 0;
  int decimals = 4;
  bool noHeader = false;
  bool quiet = false;
  bool bare = false;
  bool reset = false;
  bool verbose = false;
  bool showMemory = false;              // --show-memory: the memory listing after the run
  bool progress = false;                // --progress: a bar on stderr while the script runs
  bool json = false;                    // --json: a JSON object per script line on stdout
  bool interactive = false;             // -i: a session even when standard input is no terminal
  std::optional<std::string> cmdline;   // --cmdline: the batch options as they stand
  engine::FormulaSettings formula;      // --numbers, --spelling: how formulas read at the start
};

// Runs the program and returns its exit status.
int Run(const ProgramOptions& options, bool stdinIsTerminal);

}  // namespace ulvxnpp
