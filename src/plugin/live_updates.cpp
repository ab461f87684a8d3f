// SPDX-License-Identifier: MIT
#include "plugin/live_updates.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/utf8.h"

namespace plugin {
namespace {

// How often a long evaluation hands over the notes it has so far.
constexpr std::chrono::milliseconds kHandOver{20};

struct Job {
  DocumentId document = 0;
  std::vector<std::u16string> lines;
  LiveOptions options;
};

// Notes for lines first, first + 1, ... of a document, in the order they were made.
struct Batch {
  DocumentId document = 0;
  std::size_t first = 0;
  std::vector<LineNote> notes;
};

}  // namespace

std::vector<std::u16string> SplitLines(std::string_view utf8) {
  const std::u16string text = platform::FromUtf8(utf8);
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != u'\r' && text[at] != u'\n') continue;
    lines.emplace_back(text, start, at - start);
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
    start = at + 1;
  }
  lines.emplace_back(text, start);
  return lines;
}

void ShowNotes(LiveView& view, std::size_t first, const std::vector<LineNote>& notes) {
  for (std::size_t k = 0; k < notes.size(); ++k) {
    const auto line = static_cast<Position>(first + k);
    const std::string text = platform::ToUtf8(notes[k].text);
    // A failure's span can move while its text stays.
    if (view.Note(line) != text || notes[k].kind == NoteKind::Failure) view.SetNote(line, text, notes[k].kind, notes[k].span);
  }
}

// Batches are applied in the order they were made. Lines above a document's first changed line
// are the same in its older and newer text, so an older batch stays right there; below it, the
// batches not yet applied are cut off, and the newer text's notes are handed over from there.
struct LiveUpdates::Shared {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<Job> jobs;  // at most one per document: a newer text replaces one not started
  std::vector<Batch> finished;
  std::unordered_map<DocumentId, std::size_t> handedOver;  // lines of a document with notes handed over
  std::unordered_set<DocumentId> forgotten;  // evaluators the worker is to drop
  std::optional<DocumentId> running;
  // The running document's lines, and the one being evaluated: a text that changes it, or a
  // line above it, cancels that line.
  std::vector<std::u16string> runningLines;
  std::size_t runningLine = 0;
  LiveOptions runningOptions;
  std::shared_ptr<engine::CancelFlag> cancel = std::make_shared<engine::CancelFlag>();
  bool stop = false;
  // The worker's own: each document's evaluator.
  std::unordered_map<DocumentId, std::unique_ptr<LiveResults>> documents;
  std::thread worker;

  bool Queued(DocumentId document) const {
    return std::any_of(jobs.begin(), jobs.end(), [&](const Job& job) { return job.document == document; });
  }
  void DropJobs(DocumentId document) {
    std::erase_if(jobs, [&](const Job& job) { return job.document == document; });
  }
  // Cancels the line in progress when it is the document's.
  void CancelRunning(DocumentId document) {
    if (running == document) cancel->Request();
  }
  // Whether the document's new text changes what its running line computes: that line, a line
  // above it, or the options differ.
  bool ChangesRunningLine(DocumentId document, const Job& job) const {
    if (running != document) return false;
    if (!(job.options == runningOptions)) return true;
    const std::size_t through = runningLine + 1;
    if (job.lines.size() < through || runningLines.size() < through) return true;
    return !std::equal(job.lines.begin(), job.lines.begin() + static_cast<std::ptrdiff_t>(through),
                       runningLines.begin());
  }

  // Whether the work on a document's text is to end: a newer text waits, or it was forgotten.
  bool Superseded(DocumentId document) const {
    return stop || Queued(document) || forgotten.contains(document);
  }

  void Work() {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stop || !jobs.empty() || !forgotten.empty(); });
      if (stop) return;
      for (const DocumentId document : forgotten) documents.erase(document);
      forgotten.clear();
      if (jobs.empty()) continue;
      Job job = std::move(jobs.front());
      jobs.pop_front();
      running = job.document;
      runningLines = job.lines;
      runningOptions = job.options;
      runningLine = 0;
      cancel->Clear();
      lock.unlock();
      Evaluate(std::move(job));
      lock.lock();
      running.reset();
    }
  }

  void Evaluate(Job job) {
    std::unique_ptr<LiveResults>& slot = documents[job.document];
    const bool fresh = !slot || !(slot->Options() == job.options);
    if (fresh) slot = std::make_unique<LiveResults>(job.options, cancel);
    LiveResults& live = *slot;
    const std::size_t changed = live.Take(std::move(job.lines));

    std::size_t from = 0;
    {
      std::lock_guard guard(mutex);
      for (Batch& batch : finished) {
        if (batch.document != job.document) continue;
        batch.notes.resize(std::min(batch.notes.size(), changed > batch.first ? changed - batch.first : 0));
      }
      std::size_t& handed = handedOver[job.document];
      handed = fresh ? 0 : std::min(handed, changed);
      from = handed;
      runningLine = live.Done();
    }
    auto handOver = [&] {
      std::lock_guard guard(mutex);
      const std::size_t done = live.Done();
      if (done <= from || forgotten.contains(job.document)) return;
      const auto& notes = live.Notes();
      finished.push_back({job.document, from,
                          std::vector<LineNote>(notes.begin() + static_cast<std::ptrdiff_t>(from),
                                                notes.begin() + static_cast<std::ptrdiff_t>(done))});
      handedOver[job.document] = from = done;
    };
    auto last = std::chrono::steady_clock::now();
    while (live.Step()) {
      if (std::chrono::steady_clock::now() - last >= kHandOver) {
        handOver();
        last = std::chrono::steady_clock::now();
      }
      std::lock_guard guard(mutex);
      if (Superseded(job.document)) break;  // a newer text goes on from here
      runningLine = live.Done();
    }
    handOver();
  }
};

LiveUpdates::LiveUpdates() : shared_(std::make_unique<Shared>()) {
  shared_->worker = std::thread([shared = shared_.get()] { shared->Work(); });
}

LiveUpdates::~LiveUpdates() {
  {
    std::lock_guard guard(shared_->mutex);
    shared_->stop = true;
    shared_->cancel->Request();
  }
  shared_->wake.notify_one();
  shared_->worker.join();
}

void LiveUpdates::Submit(DocumentId document, std::string_view utf8, const LiveOptions& options) {
  Job job{document, SplitLines(utf8), options};
  {
    std::lock_guard guard(shared_->mutex);
    if (shared_->ChangesRunningLine(document, job)) shared_->CancelRunning(document);
    shared_->DropJobs(document);
    shared_->jobs.push_back(std::move(job));
  }
  shared_->wake.notify_one();
}

void LiveUpdates::Forget(DocumentId document) {
  std::lock_guard guard(shared_->mutex);
  shared_->CancelRunning(document);
  shared_->DropJobs(document);
  std::erase_if(shared_->finished, [&](const Batch& batch) { return batch.document == document; });
  shared_->handedOver.erase(document);
  shared_->forgotten.insert(document);
  shared_->wake.notify_one();
}

bool LiveUpdates::Apply(DocumentId document, LiveView& view) {
  std::vector<Batch> batches;
  bool more = false;
  {
    std::lock_guard guard(shared_->mutex);
    for (Batch& batch : shared_->finished)
      if (batch.document == document) batches.push_back(std::move(batch));
    std::erase_if(shared_->finished, [&](const Batch& batch) { return batch.document == document; });
    more = shared_->running == document || shared_->Queued(document);
  }
  for (const Batch& batch : batches) ShowNotes(view, batch.first, batch.notes);
  return more;
}

}  // namespace plugin
