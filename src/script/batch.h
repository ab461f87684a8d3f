// SPDX-License-Identifier: MIT
// The batch entry: one command line of options gathers a script, runs it and delivers the
// output to a file or the clipboard, with a log on request.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/batch_options.h"
#include "script/host_options.h"
#include "script/interpreter.h"
#include "ui/text_windows.h"

namespace engine {
struct Engine;
}
namespace diff {
struct DiffState;
}

namespace script {

// The run state of the batch runner, kept between calls.
struct BatchState {
  RunFlags flags;                // the options of the last command line
  std::u16string runText;        // the script before a run, the composed output after it
  std::int32_t lastResult = 0;   // executed x 1000 + errors of the last run
  std::u16string messages;       // the run's summary lines, as the messages window shows them
  std::u16string resultText;     // the output of the last command line, for GetEvalResult
  bool inputFailed = false;      // the last call could not read its input
  bool outputFailed = false;     // the last call could not write its output file
  InterpreterState interpreter;  // what the interpreter keeps between runs
};

struct BatchContext {
  engine::Engine& engine;
  diff::DiffState& diff;
  BatchState& state;
  ui::PlotOutput* plots = nullptr;     // where plots go; none: they are sampled only
  ui::TextWindows* windows = nullptr;  // text and messages windows; none: message boxes
  ui::Progress* progress = nullptr;    // the progress of a run with /pbar; none: not shown
  const HostOptions& host = kNoHostOptions;  // what the host sets for its runs
};

// One batch run, typed: its options, and where they came from for the messages and the log.
struct BatchRequest {
  RunFlags flags;
  std::u16string_view commandLine;  // the command line the options were read from
  std::u16string_view menu;         // or the menu command that asked for them
  bool keepRecords = false;         // the result keeps every line's record
  bool pluginLog = true;            // the plug-in's log, when it keeps one, gets the run's codes
};

struct BatchResult {
  std::int32_t code = 0;            // executed x 1000 + errors
  std::u16string text;              // the output as delivered, or why there is none
  std::vector<LineRecord> records;
};

// Gathers the request's script, runs it and delivers the output to a file, the clipboard and
// the messages as its options say.
BatchResult RunBatch(BatchContext& context, BatchRequest request);

// Runs one batch command line; returns executed x 1000 + errors. The output text is left in
// the state's result text (GetEvalResult).
std::int32_t ulvEvalMain(BatchContext& context, std::u16string_view commandLine);

// What LoadSaveFile returns.
inline constexpr std::int32_t kFileDone = -1;
inline constexpr std::int32_t kFileNotRead = -2;     // unreadable, or an encoding that is refused
inline constexpr std::int32_t kFileNotWritten = -3;
inline constexpr std::int32_t kFileCancelled = -4;   // the file dialog was cancelled
inline constexpr std::int32_t kFileUnknownMode = -5;

// What LoadSaveFile does, by the numbers callers of the export pass.
enum class FileMode : std::int32_t {
  LoadInput = 6,         // loads InpFN
  LoadInputAsked = 1,    // loads InpFN, failing with the interactive failure text
  LoadCommandList = 2,   // loads ShowCmds.ulv from the library's folder
  ChooseAndLoad = 4,     // asks for a script with the open dialog, makes it InpFN and loads it
  SaveOutput = 7,        // saves to OutpFN (appending with AppendF)
  ChooseAndSave = 8,     // asks for a name with the save dialog and saves there
};

// The mode a caller's number stands for; none for a number that is no mode.
std::optional<FileMode> FileModeOf(std::int32_t number);

// Moves the run text to or from a file, showing every failure in a message box.
std::int32_t LoadSaveFile(BatchContext& context, FileMode mode);

// The information block that opens an output header, as comment lines.
std::u16string InformationText();

}  // namespace script
