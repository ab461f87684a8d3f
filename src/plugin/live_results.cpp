// SPDX-License-Identifier: MIT
#include "plugin/live_results.h"

#include <algorithm>
#include <string_view>

#include "diff/diff_state.h"
#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "platform/services.h"
#include "script/command_table.h"
#include "script/line_text.h"

namespace plugin {
namespace {

// Live lines run while the user types: nobody is there to answer a question, and nothing may
// reach a file or the clipboard.
class NoUserServices final : public platform::Services {
 public:
  platform::Answer ShowMessage(std::u16string_view, std::u16string_view, platform::Buttons buttons) override {
    switch (buttons) {
      case platform::Buttons::YesNo: return platform::Answer::No;
      case platform::Buttons::YesNoCancel: return platform::Answer::Cancel;
      case platform::Buttons::Ok: break;
    }
    return platform::Answer::Ok;
  }
  void SetClipboardText(std::u16string_view) override {}
  std::u16string ClipboardText() override { return {}; }
  bool AppendLine(std::u16string_view, std::u16string_view) override { return false; }
  std::optional<std::string> ReadFile(std::u16string_view) override { return std::nullopt; }
  bool WriteFile(std::u16string_view, std::string_view, bool) override { return false; }
  bool WantsByteOrderMark() const override { return false; }
  bool MakeFolder(std::u16string_view) override { return false; }
  std::u16string LocalTimeText() override { return {}; }
  std::optional<std::u16string> AskText(std::u16string_view, std::u16string_view, std::u16string_view) override {
    return std::nullopt;
  }
  std::optional<std::u16string> AskFileName(std::u16string_view, std::u16string_view, bool) override {
    return std::nullopt;
  }
  std::u16string LibraryFolder() override { return {}; }
};

bool IsComment(std::u16string_view text) { return text.empty() || text.front() == u'\''; }

bool IsDimX(std::u16string_view line) {
  const script::Command* command = script::LeadingCommand(line);
  return command != nullptr && command->name == u"DimX";
}

// A line that is no command runs as a formula: "Expr = " and the line's text.
constexpr std::u16string_view kFormulaCommand = u"Expr = ";

}  // namespace

struct LiveResults::Evaluator {
  NoUserServices services;
  engine::Engine engine{services};
  diff::DiffState diff;
  script::InterpreterState state;
  script::Context context{engine, diff, state};
};

LiveResults::LiveResults(LiveOptions options, std::shared_ptr<engine::CancelFlag> cancel)
    : options_(options), cancel_(cancel ? std::move(cancel) : std::make_shared<engine::CancelFlag>()) {}
LiveResults::~LiveResults() = default;

std::size_t LiveResults::Take(std::vector<std::u16string> lines) {
  std::size_t chars = 0;
  for (const std::u16string& line : lines) chars += line.size() + 1;
  if (chars > options_.maxChars || lines.size() > options_.maxLines) {
    const bool byLines = lines.size() > options_.maxLines;
    notes_.assign(lines.size(), {});
    notes_[0] = {NoteKind::NotRun,
                 u"No live results: the document has more than " +
                     engine::IntegerText(static_cast<std::int64_t>(byLines ? options_.maxLines : options_.maxChars)) +
                     (byLines ? u" lines" : u" characters")};
    lines_.clear();
    done_ = lines.size();
    rebuilt_ = false;
    return 0;
  }
  const std::size_t known = std::min({done_, lines_.size(), lines.size()});
  std::size_t first = 0;
  while (first < known && lines[first] == lines_[first]) ++first;
  // The lines of a matrix run together: a change among them starts at the first.
  while (first > 0 && IsDimX(engine::Trim(lines[first - 1]))) --first;
  // An evaluator that stopped at the first changed line goes on from there.
  rebuilt_ = rebuilt_ && first == done_;
  lines_ = std::move(lines);
  notes_.resize(lines_.size());
  done_ = first;
  return first;
}

bool LiveResults::Step() {
  if (done_ >= lines_.size()) return false;
  if (!rebuilt_) Rebuild(done_);
  const std::size_t end = BlockEnd(done_);
  LineNote note = Evaluate(done_, end);
  if (cancel_->requested()) {
    // Cut off halfway, the evaluator's stores are not what the lines above make them.
    rebuilt_ = false;
    return false;
  }
  notes_[done_] = std::move(note);
  std::fill(notes_.begin() + static_cast<std::ptrdiff_t>(done_) + 1, notes_.begin() + static_cast<std::ptrdiff_t>(end),
            LineNote{});
  done_ = end;
  return done_ < lines_.size();
}

std::size_t LiveResults::BlockEnd(std::size_t first) const {
  std::size_t end = first + 1;
  if (IsDimX(engine::Trim(lines_[first])))
    while (end < lines_.size() && IsDimX(engine::Trim(lines_[end]))) ++end;
  return end;
}

script::RunResult LiveResults::Run(std::u16string_view script, std::size_t firstLine, bool keepRecords) {
  script::RunRequest request;
  request.text = script;
  request.decimals = options_.decimals;
  request.bare = true;
  request.firstNumber = static_cast<std::int32_t>(firstLine + 1);
  request.keepRecords = keepRecords;
  return script::RunScript(evaluator_->context, request);
}

std::u16string LiveResults::Script(std::size_t first, std::size_t last) const {
  std::u16string script;
  for (std::size_t line = first; line < last; ++line) {
    if (line > first) script += u"\r\n";
    script += lines_[line];
  }
  return script;
}

void LiveResults::Rebuild(std::size_t line) {
  evaluator_ = std::make_unique<Evaluator>();
  evaluator_->engine.core.cancel = cancel_;
  evaluator_->engine.matrices.elementOrder.order = -1;  // as in the editor's own session
  engine::SetFormulaSettings(evaluator_->engine, {.numbers = options_.numbers});
  for (std::size_t first = 0; first < line;) {
    const std::size_t end = BlockEnd(first);
    const script::Command* command = script::LeadingCommand(engine::Trim(lines_[first]));
    if (command != nullptr && command->defines && command->runsLive && !slow_.contains(lines_[first]))
      Run(Script(first, end), first, false);
    first = end;
  }
  rebuilt_ = true;
}

LineNote LiveResults::Evaluate(std::size_t first, std::size_t last) {
  const std::u16string_view text = engine::Trim(lines_[first]);
  if (IsComment(text)) return {};
  const script::Command* command = script::LeadingCommand(text);
  if (command != nullptr && !command->runsLive)
    return {NoteKind::NotRun, std::u16string(command->name) + u" is not run live"};
  if (slow_.contains(lines_[first])) return {NoteKind::NotRun, u"Not run live: it took too long"};

  const auto start = std::chrono::steady_clock::now();
  const std::u16string formula = command == nullptr ? std::u16string(kFormulaCommand) + std::u16string(text) : u"";
  const script::RunResult result = Run(command != nullptr ? Script(first, last) : formula, first, true);
  if (std::chrono::steady_clock::now() - start > options_.slowLine) slow_.insert(lines_[first]);
  if (result.errors > 0 && command == nullptr && !options_.script) return {};
  return NoteOf(result.records, command != nullptr ? 0 : static_cast<std::size_t>(text.data() - lines_[first].data()),
                command != nullptr ? 0 : kFormulaCommand.size());
}

// The notes of the records joined; a failure's span moved from the script's line to the
// document's, where the formula stood `indent` characters in and the script put `added` before it.
LineNote LiveResults::NoteOf(const std::vector<script::LineRecord>& records, std::size_t indent, std::size_t added) const {
  const script::TextStyle style{.decimals = options_.decimals, .numbers = options_.numbers, .bare = true};
  LineNote note;
  for (const script::LineRecord& record : records) {
    const std::u16string text = script::NoteText(record, style, options_.maxNoteChars);
    if (!text.empty()) note.text += (note.text.empty() ? u"" : u" | ") + text;
    if (!record.failed() || note.kind == NoteKind::Failure) continue;
    note.kind = NoteKind::Failure;
    const script::LineFailure& failure = *record.failure;
    if (failure.end > failure.begin && failure.begin >= added) {
      note.span = {failure.begin - added + indent, failure.end - added + indent};
    }
  }
  if (note.text.size() > options_.maxNoteChars) note.text = note.text.substr(0, options_.maxNoteChars - 3) + u"...";
  if (note.text.empty()) note.kind = NoteKind::None;
  else if (note.kind != NoteKind::Failure) note.kind = NoteKind::Result;
  return note;
}

}  // namespace plugin
