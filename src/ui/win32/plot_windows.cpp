// SPDX-License-Identifier: MIT
#include "ui/native_plot_output.h"

namespace ui {

// Plots are sampled and reported; the windows that draw them are not built yet.
std::unique_ptr<PlotOutput> MakeNativePlotOutput(platform::Services&) { return nullptr; }

}  // namespace ui
