// SPDX-License-Identifier: MIT
// What the program that hosts the batch runner (the editor plug-in, the command-line program)
// sets for its runs. The runner only reads it; a host that sets nothing gets these defaults.
#pragma once

#include <cstdint>
#include <string>

namespace script {

struct HostOptions {
  // The plug-in's settings file, named in the log of every run so that a log read later says
  // which settings produced it; empty for other hosts.
  std::u16string iniFile;
  // The plug-in's own log while the user has it on: the command line and the exit code of
  // each run go there too; empty when there is none.
  std::u16string pluginLogFile;
  // The run's summary lines go to the messages window as well, for a host that shows one.
  bool showMessages = false;
  // The decimals of numbers when the command line sets none: the plug-in's setting.
  std::int32_t decimals = 4;
  // The number of the script's first line, for a host that runs one script in pieces (the
  // program's interactive session numbers each entry as the next line).
  std::int32_t firstLineNumber = 1;
};

// The options of a host that sets none.
inline const HostOptions kNoHostOptions{};

}  // namespace script
