// SPDX-License-Identifier: MIT
// The plot output of the platform the library was built for.
#pragma once

#include <memory>

#include "ui/plot_output.h"

namespace engine {
struct Engine;
}

namespace ui {

// Picture files on Linux; plot windows on Windows, which sample again with the engine when
// they are redrawn.
std::unique_ptr<PlotOutput> MakeNativePlotOutput(engine::Engine& engine);

}  // namespace ui
