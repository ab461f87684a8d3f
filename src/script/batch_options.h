// SPDX-License-Identifier: MIT
// The options of the batch command line and the run flags they set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/plot_output.h"

namespace script {

struct RunFlags {
  std::u16string InpFN;            // input script file
  bool lnsF = false;               // line selection on
  std::u16string LnsStr;           // ";" + the line numbers + ";"
  bool getFromClpF = false;        // script from the clipboard
  bool getFromSelTextF = false;    // script from the /sel text
  std::u16string selText;          // that text
  std::u16string OutpFN;           // output file
  bool AppendF = false;            // append to the output file
  bool NoHF = false;               // no header
  bool noLnExpF = false;           // quiet: echo only failed commands
  bool SaveToClpBF = false;        // output to the clipboard
  std::int32_t decimals = 4;
  bool splF = false;               // save plots
  std::u16string splPath;          // their folder
  ui::PictureFormat plotFormat = ui::PictureFormat::Default;  // /pfmt
  bool logF = false;               // write the log
  std::u16string logFile = u"ulvCmds.log";
  bool rrF = false;                // stay resident between calls
  bool rsetF = false;              // reset the engine
  bool delF = false;               // delete the output file first
  bool bare = false;               // /nt: results without captions
  bool progress = false;           // /pbar
  bool inputFile = false;          // /i given
  bool outputFile = false;         // /o or /a given
  bool lineOffsetGiven = false;    // /lc given
  std::int32_t lineOffset = 0;
  bool repeat = false;             // /rep
  bool quit = false;               // /quit
  bool showHelp = false, showMemory = false, showLog = false, showFlags = false,
       showCommands = false, showSetup = false, showAbout = false;
  std::u16string unknown;          // options that matched nothing, blank-separated
  bool operator==(const RunFlags&) const = default;
};

// Parses the options, each starting with a "/" at the start of the line or after a blank, into
// flags (starting from defaults, with the host's decimals until /dec sets others); a value in
// double quotes may hold blanks and "/". /rset clears the run flags set before it.
RunFlags ParseOptions(std::u16string_view commandLine, std::int32_t decimals = 4);

// The runs the editor's commands ask for, as the options would set them.
// A saved script whole, its output into Result.ulv beside it, with the log and the progress.
RunFlags WholeFileRun(std::u16string_view path, std::int32_t decimals);
// One line of a saved script (1-based), its output appended to Result.ulv beside it.
RunFlags FileLineRun(std::u16string_view path, std::int32_t line, std::int32_t decimals);
// A text given by the editor, with no header; `bare` leaves out the echo lines of commands that
// succeeded and the captions.
RunFlags TextRun(std::u16string_view text, std::int32_t decimals, bool bare);

// The text of /h, and the flags dump of /sf.
std::u16string HelpText();
std::u16string FlagsDump(const RunFlags& flags);

}  // namespace script
