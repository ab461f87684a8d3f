// SPDX-License-Identifier: MIT
#include "steps.h"

#include <utility>

namespace real_editor {
namespace {
Steps* running = nullptr;  // the timer callback has no context of its own
}

void Steps::Then(std::function<void()> step, UINT pauseMs) { steps_.push_back({pauseMs, std::move(step)}); }

void Steps::Start(std::function<void()> finished) {
  running = this;
  finished_ = std::move(finished);
  ScheduleNext();
}

void Steps::ScheduleNext() {
  if (steps_.empty()) {
    running = nullptr;
    if (finished_) std::exchange(finished_, nullptr)();
    return;
  }
  // One timer at a time, set only after a step has returned: a step that opens a modal box runs
  // no other step from inside the box's own message loop.
  SetTimer(nullptr, 0, steps_.front().pauseMs, &OnTimer);
}

void CALLBACK Steps::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  Steps* steps = running;
  if (steps == nullptr || steps->steps_.empty()) return;
  Step step = std::move(steps->steps_.front());
  steps->steps_.pop_front();
  step.run();
  steps->ScheduleNext();
}

}  // namespace real_editor
