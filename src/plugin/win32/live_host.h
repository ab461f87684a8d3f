// SPDX-License-Identifier: MIT
// Live results in the editor: which documents show them (scripts, and those the user turns on),
// when a document's text goes to be evaluated (once typing has paused), and the notes put on
// the view while they come in.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_set>

#include "plugin/live_updates.h"
#include "plugin/win32/npp_abi.h"
#include "plugin/win32/scintilla_notes.h"

namespace plugin {

struct LiveHost {
  std::unique_ptr<LiveUpdates> updates;  // made when first needed, ended at shutdown
  NoteMarks marks;                       // allocated once the host is ready
  std::unordered_set<DocumentId> turned;  // documents whose default the menu command turned round
  std::unordered_set<DocumentId> noted;   // documents that may show our notes
  DocumentId current = 0;                 // the active document, and whether it is live
  bool currentLive = false;
  bool currentScript = false;             // a .ulv document
  HWND currentView = nullptr;
  bool typing = false;                    // an edit came, and its pause has not yet passed
  bool started = false;                   // the host is ready
};

// At the host's ready: what the notes need, and the active document evaluated if it is live.
void StartLiveResults();
// At the host's shutdown, while the views live: every note goes, and the evaluating thread ends.
void StopLiveResults();
// Edits, the active document changing and documents closing.
void FollowDocuments(const npp::SCNotification& note);
// The mouse resting on a failed line: its error as a call tip. False when it rests elsewhere.
bool ShowFailureTip(const npp::SCNotification& note);
// The Options item: live results on or off everywhere.
void ToggleLiveResults();
// The settings live results are evaluated with changed: the active document, if it is live, is
// evaluated again with them (the others when they are shown).
void EvaluateLiveAfresh();
// The menu command: live results on or off for the active document.
void ToggleLiveResultsHere();

}  // namespace plugin
