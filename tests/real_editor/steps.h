// SPDX-License-Identifier: MIT
// The driver's steps, run one after another on the editor's UI thread from timer callbacks.
// Between two steps the editor's own message loop runs: its keyboard accelerators, Scintilla's
// dwell timer and painting behave as they do for a user.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace real_editor {

class Steps {
 public:
  // A step: it runs after the previous one, once the editor has had `pauseMs` to itself.
  void Then(std::function<void()> step, UINT pauseMs = 50);
  // Lets the editor run for that long before the next step.
  void Wait(UINT ms) { Then([] {}, ms); }
  // Lets the editor run until `done` holds, at most `limitMs`: a slow machine only waits longer.
  void Until(std::function<bool()> done, UINT limitMs);
  // Runs the steps; `finished` runs after the last one.
  void Start(std::function<void()> finished);

 private:
  struct Step {
    UINT pauseMs;
    std::function<void()> run;   // none for a step that only waits
    std::function<bool()> done;  // when set, the step waits for it
    UINT limitMs = 0;
    bool waiting = false;
    DWORD waitingSince = 0;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void ScheduleNext();

  std::deque<Step> steps_;
  std::function<void()> finished_;
};

}  // namespace real_editor
