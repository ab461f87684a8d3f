// SPDX-License-Identifier: MIT
// The plot output of the platform the library was built for.
#pragma once

#include <memory>

#include "platform/services.h"
#include "ui/plot_output.h"

namespace ui {

// Picture files on Linux; plot windows on Windows. May be empty where plots have no output.
std::unique_ptr<PlotOutput> MakeNativePlotOutput(platform::Services& os);

}  // namespace ui
