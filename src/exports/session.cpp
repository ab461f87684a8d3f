// SPDX-License-Identifier: MIT
#include "exports/session.h"

#include "ui/native_plot_output.h"

namespace exports {

Session::Session()
    : services(platform::MakeNativeServices()),
      engine(*services),
      plots(ui::MakeNativePlotOutput(engine)),
      windows(ui::MakeNativeTextWindows(*services)),
      progress(ui::MakeNativeProgress(*services)) {}

script::BatchContext BatchOf(Session& s) {
  return script::BatchContext{s.engine, s.diff, s.batch, s.plots.get(), s.windows.get(), s.progress.get(), s.host};
}

}  // namespace exports
