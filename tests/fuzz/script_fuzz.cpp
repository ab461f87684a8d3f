// SPDX-License-Identifier: MIT
// Fuzz target: any script text through the interpreter, against the process's one session.
// It must count its lines and stay usable for the next script.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "exports/session.h"
#include "engine/evaluator.h"
#include "script/interpreter.h"

namespace {

// A script may ask for work of any length (a plot of a million points, each through the text),
// which under the sanitizers takes minutes: as a user would, the watchdog cancels what is still
// running a second after the script began, so every input ends and the cancelled paths are
// fuzzed too.
class Watchdog {
 public:
  explicit Watchdog(engine::CancelFlag& flag) : flag_(flag), thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      ended_ = true;
    }
    changed_.notify_one();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  void Arm() {
    flag_.Clear();
    {
      const std::lock_guard lock(mutex_);
      deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(1);
      armed_ = true;
    }
    changed_.notify_one();
  }
  void Disarm() {
    const std::lock_guard lock(mutex_);
    armed_ = false;
  }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!ended_) {
      if (!armed_) {
        changed_.wait(lock);
      } else if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_) {
        flag_.Request();
        armed_ = false;
      }
    }
  }

  engine::CancelFlag& flag_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::chrono::steady_clock::time_point deadline_;
  bool armed_ = false;
  bool ended_ = false;
  std::thread thread_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  exports::Session& session = exports::session();
  static Watchdog watchdog(*session.engine.core.cancel);
  watchdog.Arm();
  script::InterpreterState state;
  script::Context context{session.engine, session.diff, state};
  script::RunRequest request;
  const std::u16string text(data, data + size);
  request.text = text;
  request.quiet = (size & 1) != 0;
  script::RunScript(context, request);
  watchdog.Disarm();
  session.engine.core.cancel->Clear();
  request.text = u"Expr = 1+1";
  if (script::RunScript(context, request).Code() != 1000) __builtin_trap();
  engine::ReSetEqParser(session.engine);
  return 0;
}
