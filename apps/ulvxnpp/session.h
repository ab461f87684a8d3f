// SPDX-License-Identifier: MIT
// The interactive session: each entry runs as the next line of one script, numbered as that
// script's line would be, and a definition answers with what it stored.
#pragma once

#include "program.h"

namespace ulvxnpp {

// Reads entries until :quit or the end of input; returns the exit status.
int RunSession(const ProgramOptions& options);

}  // namespace ulvxnpp
