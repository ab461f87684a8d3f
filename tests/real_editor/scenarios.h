// SPDX-License-Identifier: MIT
// What a user does with our plug-in in the real editor, as steps with their checks.
#pragma once

#include "real_editor.h"
#include "report.h"
#include "steps.h"

namespace real_editor {

void AddScenarios(Steps& steps, RealEditor& editor, Report& report);

}  // namespace real_editor
