// SPDX-License-Identifier: MIT
// The file variants of the commands: input read from a script file, output written to one.
#include <algorithm>
#include <string>

#include "engine/engine.h"
#include "engine_core/error_table.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "script/command_table.h"
#include "script/run.h"
#include "script/text_files.h"

namespace script {
namespace {

constexpr std::u16string_view kTitle = u"Vuza Reduzodod";
constexpr std::u16string_view kDefaultFolder = u"ulvXNpp";

// The blank-separated fields of text.
std::vector<std::u16string> Words(std::u16string_view text) {
  std::vector<std::u16string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != u' ' && text[i] != u'\t') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::u16string Run::ReadScriptFile(std::u16string_view name) {
  platform::Services& os = context_.engine.core.platform;
  const std::optional<std::string> bytes = os.ReadFile(name);
  if (!bytes) {
    context_.state.stringError = -2;
    os.ShowMessage(u"Error 3: Couldn't open the file!\r\n" + std::u16string(name), kTitle, platform::Buttons::Ok);
    return u"";
  }
  // Comment lines are left out; the others are joined with no separator.
  const std::u16string text = DecodeText(*bytes).text;
  std::u16string joined;
  std::size_t start = 0;
  for (std::size_t end = text.find(u"\r\n"); end != std::u16string::npos; end = text.find(u"\r\n", start)) {
    const std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    if (!engine::Trim(line).starts_with(u'\'')) joined += line;
    start = end + 2;
  }
  return joined;
}

void Run::WriteScriptFile(std::u16string_view name, std::u16string_view text) {
  platform::Services& os = context_.engine.core.platform;
  // "c:..." and "/..." are full paths; other names go to the default folder, made when missing.
  const bool fullPath = (name.size() >= 2 && name[1] == u':') || name.starts_with(u'/');
  std::u16string path(name);
  if (!fullPath) {
    os.MakeFolder(kDefaultFolder);
    path = std::u16string(kDefaultFolder) + u"/" + path;
  }
  if (!WriteTextFile(os, path, text))
    os.ShowMessage(u"Error 1: can't write the file.\r\n" + path, kTitle, platform::Buttons::Ok);
}

void Run::FileVariant(CommandLine& line) {
  const std::vector<std::u16string> words = Words(line.arg);
  const bool functf = line.word == u"functf";
  const std::u16string input = words.size() > (functf ? 1u : 0u) ? words[functf ? 1 : 0] : u"";
  std::u16string output = !functf && words.size() > 1 ? words[1] : u"";
  if (output.size() >= 2 && output.front() == u'[' && output.back() == u']') output = output.substr(1, output.size() - 2);
  fileNote_ = output.empty() ? std::u16string(20, u' ') : u"=>(" + line.arg + u")";
  const std::size_t before = result_.output.size();

  std::u16string content = ReadScriptFile(input);
  const std::u16string base = line.word.substr(0, line.word.size() - 1);
  if (line.word == u"exprf") {
    if (const std::size_t equals = content.find(u'='); equals != std::u16string::npos)
      content = std::u16string(engine::Trim(std::u16string_view(content).substr(equals + 1)));
    content = content.substr(0, content.find(u'\''));
    if (content.empty() || context_.state.stringError != -1) {
      const std::int32_t code = context_.state.stringError;
      LineRecord& record = Record(line, LineForm::Formula);
      record.fileNote = fileNote_;
      record.failure = Failure(code);
      record.failure->message = engine::StatusText(code);
      Report(record);
      fileNote_.clear();
      return;
    }
    line.arg = content;
    Expr(line);
  } else if (line.word == u"integratef" || line.word == u"sdifff") {
    CommandLine replaced;
    if (Parse(ScriptLine{content, line.number, 0}, replaced)) {
      replaced.command = line.command;
      if (line.word == u"integratef") Integrate(replaced);
      else SDiff(replaced);
    } else {
      Unknown(line);
    }
  } else {
    line.arg = content;
    line.word = base;
    line.command = FindCommand(base);
    if (base == u"funct") Funct(line);
    else if (base == u"derivate") Derivate(line);
    else Matr(line);
  }
  if (!output.empty()) WriteScriptFile(output, std::u16string_view(result_.output).substr(before));
  fileNote_.clear();
}

}  // namespace script
