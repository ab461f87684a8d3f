// SPDX-License-Identifier: MIT
// The program's text windows: shown texts (the memory listing, the log view) go to stdout,
// and the progress of a run is a bar on stderr when stderr is a terminal.
#pragma once

#include <memory>

#include "ui/text_windows.h"

namespace ulvxnpp {

std::unique_ptr<ui::TextWindows> MakeTerminalTexts();
// Nothing when stderr is not a terminal: a bar would only litter a log.
std::unique_ptr<ui::Progress> MakeTerminalProgress();

}  // namespace ulvxnpp
