// SPDX-License-Identifier: MIT
#include "steps.h"

#include <utility>

namespace real_editor {
namespace {
Steps* running = nullptr;  // the timer callback has no context of its own
constexpr UINT kPollMs = 100;
}  // namespace

void Steps::Then(std::function<void()> step, UINT pauseMs) { steps_.push_back({pauseMs, std::move(step), nullptr}); }

void Steps::Until(std::function<bool()> done, UINT limitMs) {
  steps_.push_back({kPollMs, nullptr, std::move(done), limitMs});
}

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
  Step& next = steps->steps_.front();
  if (next.done) {
    if (!next.waiting) {
      next.waiting = true;
      next.waitingSince = GetTickCount();
    }
    if (!next.done() && GetTickCount() - next.waitingSince < next.limitMs) {
      SetTimer(nullptr, 0, kPollMs, &OnTimer);
      return;
    }
  }
  Step step = std::move(next);
  steps->steps_.pop_front();
  if (step.run) step.run();
  steps->ScheduleNext();
}

}  // namespace real_editor
