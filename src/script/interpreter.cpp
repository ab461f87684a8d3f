// SPDX-License-Identifier: MIT
// The line loop: selection, verbatim blocks, comments, the command word, and the output text.
#include "script/interpreter.h"

#include "engine/engine.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "script/run.h"

namespace script {
namespace {


// Takes the next line off the script. Lines end at CR LF, and also at a lone LF or CR, so
// scripts saved with any line ends run alike.
bool TakeLine(std::u16string_view& rest, std::u16string_view& line) {
  if (rest.empty()) return false;
  const std::size_t end = rest.find_first_of(u"\r\n");
  line = rest.substr(0, end);
  if (end == std::u16string_view::npos) {
    rest = {};
    return true;
  }
  const bool crlf = rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n';
  rest.remove_prefix(end + (crlf ? 2 : 1));
  return true;
}

}  // namespace

Run::Run(Context& context, const RunRequest& request)
    : context_(context), request_(request), rest_(request.text), lastNumber_(request.firstNumber - 1) {
  style_ = TextStyle{.decimals = request.decimals,
                     .numbers = context.engine.core.settings.numbers,
                     .bare = request.bare,
                     .quiet = request.quiet};
  // A line's report echoes it and adds a result about as long: room for that up front spares
  // a long output its copies while it grows (room never written costs no memory).
  result_.output.reserve(request.text.size() * 2);
  // The selection list ";n;m;...;": entries that are not whole numbers select nothing.
  std::u16string_view list = request.lineList;
  while (!list.empty()) {
    const std::size_t semicolon = list.find(u';');
    std::u16string_view entry = engine::Trim(list.substr(0, semicolon));
    if (!entry.empty() && entry.find_first_not_of(u"0123456789-") == std::u16string_view::npos)
      listed_.insert(engine::TruncToInt32(engine::ParseDecimal(entry)));
    list = semicolon == std::u16string_view::npos ? std::u16string_view() : list.substr(semicolon + 1);
  }
}

bool Run::Selected(std::int32_t number) const {
  return !request_.selection || listed_.contains(number + request_.lineOffset);
}

bool Run::NextLine(ScriptLine& line) {
  if (hasPending_) {
    hasPending_ = false;
    line = std::move(pending_);
    return true;
  }
  std::u16string_view taken;
  while (TakeLine(rest_, taken)) {
    line.number = ++lastNumber_;
    if (!Selected(line.number)) continue;
    const std::u16string_view trimmed = engine::Trim(taken);
    line.text = trimmed;
    line.indent = trimmed.empty() ? 0 : static_cast<std::size_t>(trimmed.data() - taken.data());
    return true;
  }
  return false;
}

bool Run::Parse(const ScriptLine& raw, CommandLine& line) {
  const std::u16string_view whole = raw.text;
  const std::size_t equals = whole.find(u'=');
  const std::u16string_view head = equals == std::u16string_view::npos ? whole : whole.substr(0, equals);
  const std::size_t open = head.find(u'(');
  if (equals == std::u16string_view::npos && open == std::u16string_view::npos) return false;
  const std::size_t close = head.find(u')');
  line.number = raw.number;
  line.indent = raw.indent;
  line.hasEquals = equals != std::u16string_view::npos;
  line.word = engine::ToLower(engine::Trim(head.substr(0, open == std::u16string_view::npos ? head.size() : open)));
  // The comment tail goes before the arguments are taken.
  line.text = whole.substr(0, whole.find(u'\''));
  const std::u16string_view text = line.text;
  line.arg.clear();
  line.argAt = raw.indent + text.size();
  if (line.hasEquals && equals < text.size()) {
    const std::u16string_view arg = engine::Trim(text.substr(equals + 1));
    line.arg = arg;
    if (!arg.empty()) line.argAt = raw.indent + static_cast<std::size_t>(arg.data() - text.data());
  }
  line.par.clear();
  if (open != std::u16string_view::npos && close != std::u16string_view::npos && close > open &&
      close <= text.size())
    line.par = engine::Trim(text.substr(open + 1, close - open - 1));
  return true;
}

RunResult Run::Execute() {
  bool blockA = false;
  bool blockB = false;
  ScriptLine raw;
  CommandLine line;
  auto copy = [&] {
    LineRecord record;
    record.number = raw.number;
    record.form = LineForm::Copied;
    record.text = raw.text;
    Report(record);
  };
  while (NextLine(raw)) {
    const std::u16string& text = raw.text;
    context_.state.stringError = -1;
    // Verbatim blocks: "\\" ... "//" and "!\" ... "!/" copy their lines without running them.
    if (!blockA && !blockB && text.find(u"\\\\") != std::u16string::npos) blockA = true;
    if (!blockA && !blockB && text.starts_with(u"!\\")) blockB = true;
    if (blockA || blockB) {
      copy();
      if (blockA && text.find(u"//") != std::u16string::npos) blockA = false;
      if (blockB && text.starts_with(u"!/")) blockB = false;
      continue;
    }
    if (text.starts_with(u"''")) {
      copy();
      continue;
    }
    if (text.starts_with(u"'") || !Parse(raw, line)) continue;
    if (context_.engine.core.cancel->requested()) {
      Note(u"'Run cancelled before line " + engine::IntegerText(raw.number));
      break;
    }
    if (!ShowProgress(raw.number, text)) {
      // A comment line, so that the output still runs as a script.
      Note(u"'Run stopped by the user before line " + engine::IntegerText(raw.number));
      break;
    }
    ++result_.executed;
    Dispatch(line);
  }
  if (request_.progress && context_.progress != nullptr) context_.progress->Close();
  while (result_.output.ends_with(u"\r\n")) result_.output.resize(result_.output.size() - 2);
  return std::move(result_);
}

bool Run::ShowProgress(std::int32_t number, std::u16string_view raw) {
  if (!request_.progress || context_.progress == nullptr) return true;
  if (lineCount_ == 0) {
    // Lines end at CR LF, a lone LF or a lone CR, as NextLine takes them.
    std::u16string_view rest = request_.text, taken;
    while (TakeLine(rest, taken)) ++lineCount_;
  }
  return context_.progress->Update(number - request_.firstNumber + 1, lineCount_, raw);
}

RunResult RunScript(Context& context, const RunRequest& request) {
  if (context.plots != nullptr) context.plots->StartRun();
  Run run(context, request);
  return run.Execute();
}

}  // namespace script
