// SPDX-License-Identifier: MIT
#include "plugin/win32/live_host.h"

#include "engine_core/text_util.h"
#include "plugin/menu_table.h"
#include "plugin/win32/plugin_state.h"

namespace plugin {
namespace {

constexpr UINT kTypingPause = 200;  // ms without an edit before the text is evaluated
constexpr UINT kNotesEvery = 30;    // ms between looks for finished notes
constexpr UINT_PTR kPauseTimer = 0x756C7601;
constexpr UINT_PTR kNotesTimer = 0x756C7602;

LiveHost& Live() { return State().live; }
HWND Host() { return State().npp.nppHandle; }

int ViewIndex(HWND view) { return view == State().npp.scintillaSecondHandle ? 1 : 0; }

ScintillaNotes NotesOn(HWND view) { return ScintillaNotes(Host(), view, ViewIndex(view), Live().marks); }

bool IsScript(const std::u16string& path) {
  return path.size() >= 4 && engine::EqualsIgnoreCase(std::u16string_view(path).substr(path.size() - 4), u".ulv");
}

// Which document is active, in which view, and whether it shows live results.
void FindCurrent() {
  LiveHost& live = Live();
  const PluginState& s = State();
  int view = 0;
  SendMessageW(Host(), npp::kGetCurrentScintilla, 0, reinterpret_cast<LPARAM>(&view));
  live.currentView = view == 1 ? s.npp.scintillaSecondHandle : s.npp.scintillaMainHandle;
  live.current = static_cast<DocumentId>(SendMessageW(Host(), npp::kGetCurrentBufferId, 0, 0));
  live.currentScript = IsScript(ScintillaView(Host(), live.currentView).FullPath());
  live.currentLive = s.settings.liveResults && live.currentScript != live.turned.contains(live.current);
  // The menu command's tick says whether the active document shows live results.
  for (std::size_t k = 0; k < kMenu.size(); ++k)
    if (kMenu[k].command == MenuCommand::LiveResultsHere)
      SendMessageW(Host(), npp::kSetMenuItemCheck, static_cast<WPARAM>(s.items[k].cmdID), live.currentLive);
}

void CALLBACK ShowFinishedNotes(HWND, UINT, UINT_PTR, DWORD) {
  LiveHost& live = Live();
  if (live.typing) return;  // a newer text is on its way
  ScintillaNotes notes = NotesOn(live.currentView);
  if (live.updates == nullptr || !live.currentLive || !live.updates->Apply(live.current, notes))
    KillTimer(Host(), kNotesTimer);
}

// The active document's text goes to be evaluated; `afresh`: every line, as when it is shown.
void Evaluate(bool afresh) {
  LiveHost& live = Live();
  if (!live.currentLive) return;
  if (live.updates == nullptr) live.updates = std::make_unique<LiveUpdates>();
  if (afresh) live.updates->Forget(live.current);
  ScintillaView view(Host(), live.currentView);
  LiveOptions options;
  options.script = live.currentScript;
  options.decimals = State().settings.decimals;
  options.numbers = State().settings.numbers;
  live.updates->Submit(live.current, view.TextRange(0, view.Length()), options);
  live.noted.insert(live.current);
  SetTimer(Host(), kNotesTimer, kNotesEvery, ShowFinishedNotes);
}

void CALLBACK TypingPaused(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(Host(), kPauseTimer);
  Live().typing = false;
  Evaluate(false);
}

// The active document's text goes to be evaluated once typing has paused (each edit restarts the
// pause); meanwhile no older notes are put on lines that may have moved.
void EditMade() {
  Live().typing = true;
  SetTimer(Host(), kPauseTimer, kTypingPause, TypingPaused);
}

// The active document evaluated afresh if it is live, or its notes taken away if it is not.
void Refresh() {
  LiveHost& live = Live();
  FindCurrent();
  if (live.currentLive) {
    Evaluate(true);
  } else if (live.noted.erase(live.current) != 0) {
    NotesOn(live.currentView).ClearNotes();
  }
}

// The notes go from both views, and what was kept for the documents with them. Documents in
// tabs behind lose theirs when they are shown. The thread stays: ending it would wait for the
// line it is on.
void TakeAllNotes() {
  LiveHost& live = Live();
  KillTimer(Host(), kPauseTimer);
  KillTimer(Host(), kNotesTimer);
  live.typing = false;
  if (live.noted.empty()) return;
  for (HWND view : {State().npp.scintillaMainHandle, State().npp.scintillaSecondHandle})
    if (view != nullptr) NotesOn(view).ClearNotes();
  if (live.updates != nullptr)
    for (const DocumentId document : live.noted) live.updates->Forget(document);
  live.noted.erase(live.current);
}

}  // namespace

void StartLiveResults() {
  const PluginState& s = State();
  Live().marks = AllocateNoteMarks(Host(), s.npp.scintillaMainHandle, s.npp.scintillaSecondHandle);
  Live().started = true;
  Refresh();
}

void StopLiveResults() {
  TakeAllNotes();
  Live().updates.reset();
}

void FollowDocuments(const npp::SCNotification& note) {
  LiveHost& live = Live();
  switch (note.nmhdr.code) {
    case npp::kModified:
      if (!live.currentLive || static_cast<HWND>(note.nmhdr.hwndFrom) != live.currentView ||
          (note.modificationType & (npp::kModInsertText | npp::kModDeleteText)) == 0)
        return;
      EditMade();
      break;
    case npp::kBufferActivated:
      if (live.started) Refresh();  // the first come before the host is ready
      break;
    case npp::kGlobalModified:
      if (live.currentLive && reinterpret_cast<DocumentId>(note.nmhdr.hwndFrom) == live.current) EditMade();
      break;
    // A new theme or language styles the view afresh, our notes' styles with it.
    case npp::kDarkModeChanged:
    case npp::kLanguageChanged:
    case npp::kWordStylesUpdated:
      if (live.currentLive) NotesOn(live.currentView);
      break;
    case npp::kFileBeforeClose: {
      const auto document = static_cast<DocumentId>(note.nmhdr.idFrom);
      if (live.updates != nullptr) live.updates->Forget(document);
      live.noted.erase(document);
      live.turned.erase(document);
      break;
    }
    default: break;
  }
}

bool ShowFailureTip(const npp::SCNotification& note) {
  if (!Live().currentLive || note.nmhdr.code != npp::kDwellStart) return false;
  const auto view = static_cast<HWND>(note.nmhdr.hwndFrom);
  ScintillaNotes notes = NotesOn(view);
  const std::string failure = notes.FailureAt(note.position);
  if (failure.empty()) return false;
  notes.view().ShowCallTip(note.position, failure);
  return true;
}

void ToggleLiveResults() {
  PluginState& s = State();
  s.settings.liveResults = !s.settings.liveResults;
  SaveSetting(kLiveResultsKey, s.settings.liveResults ? u"1" : u"0");
  if (s.settings.liveResults) {
    Refresh();
  } else {
    TakeAllNotes();
    FindCurrent();
  }
  ApplyDwellTime();
}

void EvaluateLiveAfresh() { Evaluate(true); }

void ToggleLiveResultsHere() {
  PluginState& s = State();
  LiveHost& live = Live();
  FindCurrent();
  if (!s.settings.liveResults) {
    // Asked for here, live results come on; a document that is no script is turned on with them.
    s.settings.liveResults = true;
    SaveSetting(kLiveResultsKey, u"1");
    ApplyDwellTime();
    FindCurrent();
    if (!live.currentLive) live.turned.insert(live.current);
  } else if (!live.turned.erase(live.current)) {
    live.turned.insert(live.current);
  }
  Refresh();
}

}  // namespace plugin
