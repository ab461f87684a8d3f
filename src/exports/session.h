// SPDX-License-Identifier: MIT
// The one process-wide session behind the exported functions: every subsystem's state, the
// platform services, and the texts the exports hand out by pointer.
#pragma once

#include <memory>
#include <string>

#include "diff/diff_state.h"
#include "engine/engine.h"
#include "script/batch.h"
#include "platform/services.h"
#include "ui/plot_output.h"
#include "ui/text_windows.h"

namespace exports {

// The batch runner's view of the session.
struct Session;
script::BatchContext BatchOf(Session& s);

// Texts returned by pointer, one per export, valid until that export's next call.
struct ExportTexts {
  std::u16string errDescr;    // GetE_ErrDescr
  std::u16string stErrDescr;  // GetStErrDescr
  std::u16string strD0;       // StrD0
  std::u16string matrixList;  // GetMatrixList
  std::u16string print;       // aPrint
  std::u16string show;        // aShow, aShowByLong
  std::u16string polyDydx;    // Poly_dydx
  std::u16string sPolyNewt;   // sPolyNewt
  std::u16string sSolve;      // sSolve
  std::u16string version;     // DisplayVerInfo
};

struct Session {
  Session();

  std::unique_ptr<platform::Services> services;  // message boxes, clipboard
  engine::Engine engine;                          // evaluator state, logs and stores
  diff::DiffState diff;                           // the differentiator's node table and trace
  std::unique_ptr<ui::PlotOutput> plots;          // pictures or windows of the Plot lines
  std::unique_ptr<ui::TextWindows> windows;       // text and messages windows
  std::unique_ptr<ui::Progress> progress;         // the progress of a run with /pbar
  script::BatchState batch;                       // the batch runner's run state
  script::HostOptions host;                       // what the plug-in or the program sets for its runs
  ExportTexts texts;
};

// The single instance; only the exports, the plug-in and the program reach it.
Session& session();

}  // namespace exports
