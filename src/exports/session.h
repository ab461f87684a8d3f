// SPDX-License-Identifier: MIT
// A session: every subsystem's state, the platform services, and the texts the exports hand
// out by pointer. The exported functions work on one process-wide session; more sessions can be
// made beside it, each wholly independent, so that threads with sessions of their own never
// meet.
#pragma once

#include <memory>
#include <string>

#include "diff/diff_state.h"
#include "engine/engine.h"
#include "exports/turn.h"
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

  // Calls into a session take turns: whoever uses it from more than one thread holds this for
  // the whole call.
  Turn turn;

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

// The process-wide instance; only the exports, the plug-in and the program reach it. The exports
// take its turn (see guarded); the plug-in and the program each drive it from their one thread.
// Inline: every export call asks for it, often twice.
inline Session& session() {
  static Session instance;
  return instance;
}

}  // namespace exports
