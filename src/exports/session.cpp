// SPDX-License-Identifier: MIT
#include "exports/session.h"

#include "ui/native_plot_output.h"

namespace exports {

Session::Session()
    : services(platform::MakeNativeServices()), engine(*services), plots(ui::MakeNativePlotOutput(engine)) {}

script::BatchContext BatchOf(Session& s) { return script::BatchContext{s.engine, s.diff, s.batch, s.plots.get()}; }

Session& session() {
  static Session instance;
  return instance;
}

}  // namespace exports
