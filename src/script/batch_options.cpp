// SPDX-License-Identifier: MIT
#include "script/batch_options.h"

#include <algorithm>
#include <array>

#include "engine_core/number_text.h"
#include "engine_core/text_util.h"

namespace script {
namespace {

// The folder part of a path, with its separator ("" for a bare name).
std::u16string FolderOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? u"" : std::u16string(path.substr(0, slash + 1));
}

// The text after the option's key (the part after ":" or after the first blank), trimmed.
std::u16string ValueOf(std::u16string_view option) {
  const std::size_t colon = option.find(u':');
  const std::size_t blank = option.find(u' ');
  const std::size_t at = colon != std::u16string_view::npos && (blank == std::u16string_view::npos || colon < blank) ? colon : blank;
  std::u16string_view value = at == std::u16string_view::npos ? u"" : engine::Trim(option.substr(at + 1));
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') value = value.substr(1, value.size() - 2);
  return std::u16string(value);
}

void Output(RunFlags& f, std::u16string_view option, bool append) {
  f.OutpFN = ValueOf(option);
  if (f.OutpFN.empty() && !f.InpFN.empty()) f.OutpFN = FolderOf(f.InpFN) + u"Result.ulv";
  f.outputFile = true;
  f.AppendF = append;
  f.NoHF = append;
  f.getFromClpF = false;
  f.getFromSelTextF = false;
}

void Reset(RunFlags& f) {
  RunFlags cleared;
  cleared.rsetF = true;
  cleared.logF = f.logF;
  cleared.logFile = f.logFile;
  cleared.decimals = f.decimals;
  f = cleared;
}

void Unknown(RunFlags& f, std::u16string_view option) {
  f.unknown += (f.unknown.empty() ? u"/" : u" /") + std::u16string(option);
}

void PlotFormat(RunFlags& f, std::u16string_view option) {
  const std::u16string format = engine::ToLower(ValueOf(option));
  if (format == u"png") f.plotFormat = ui::PictureFormat::Png;
  else if (format == u"svg") f.plotFormat = ui::PictureFormat::Svg;
  else if (format == u"jpg" || format == u"jpeg") f.plotFormat = ui::PictureFormat::Jpeg;
  else Unknown(f, option);
}

// /dec:n sets the decimals; any other /de... (as /del) deletes the output first.
void DecimalsOrDelete(RunFlags& f, std::u16string_view option) {
  if (engine::ToLower(option).starts_with(u"dec"))
    f.decimals = std::clamp(engine::TruncToInt32(engine::ParseDecimal(ValueOf(option))), 0, 15);
  else
    f.delF = true;
}

void Lines(RunFlags& f, std::u16string_view option) {
  f.LnsStr = u";" + ValueOf(option) + u";";
  f.lnsF = true;
  f.AppendF = true;
  f.NoHF = true;
  f.getFromClpF = false;
  f.getFromSelTextF = false;
}

void Log(RunFlags& f, std::u16string_view option) {
  f.logF = true;
  if (const std::u16string name = ValueOf(option); !name.empty()) f.logFile = name;
}

// An option is known by its first letters: a letter alone (followed by a blank or nothing), or
// a prefix of the option word. The first rule that matches applies.
struct OptionRule {
  std::u16string_view key;
  bool alone;  // the key is a single letter standing alone
  void (*apply)(RunFlags& f, std::u16string_view option);
};

constexpr std::array kOptionRules = std::to_array<OptionRule>({
    {u"i", true, [](RunFlags& f, std::u16string_view o) { f.InpFN = ValueOf(o); f.inputFile = true; }},
    {u"o", true, [](RunFlags& f, std::u16string_view o) { Output(f, o, false); }},
    {u"a", true, [](RunFlags& f, std::u16string_view o) { Output(f, o, true); }},
    {u"h", true, [](RunFlags& f, std::u16string_view) { f.showHelp = true; }},
    {u"w", true, [](RunFlags& f, std::u16string_view) { f.showSetup = true; }},
    {u"sc", false, [](RunFlags& f, std::u16string_view) { f.SaveToClpBF = true; }},
    {u"gc", false, [](RunFlags& f, std::u16string_view) {
       f.getFromClpF = true;
       f.getFromSelTextF = false;
       f.inputFile = false;
     }},
    {u"de", false, &DecimalsOrDelete},
    {u"ln", false, &Lines},
    {u"lc", false, [](RunFlags& f, std::u16string_view o) {
       f.lineOffset = engine::TruncToInt32(engine::ParseDecimal(ValueOf(o)));
       f.lineOffsetGiven = true;
     }},
    {u"sp", false, [](RunFlags& f, std::u16string_view o) { f.splF = true; f.splPath = ValueOf(o); }},
    {u"pf", false, &PlotFormat},
    {u"lo", false, &Log},
    {u"lg", false, [](RunFlags& f, std::u16string_view) { f.showLog = true; }},
    {u"rs", false, [](RunFlags& f, std::u16string_view) { Reset(f); }},
    {u"re", false, [](RunFlags& f, std::u16string_view) { f.repeat = true; }},
    {u"rr", false, [](RunFlags& f, std::u16string_view) { f.rrF = true; }},
    {u"qu", false, [](RunFlags& f, std::u16string_view) { f.quit = true; }},
    {u"no", false, [](RunFlags& f, std::u16string_view) { f.NoHF = true; }},
    {u"nl", false, [](RunFlags& f, std::u16string_view) { f.noLnExpF = true; }},
    {u"nt", false, [](RunFlags& f, std::u16string_view) { f.bare = true; }},
    {u"pb", false, [](RunFlags& f, std::u16string_view) { f.progress = true; }},
    {u"sm", false, [](RunFlags& f, std::u16string_view) { f.showMemory = true; }},
    {u"sf", false, [](RunFlags& f, std::u16string_view) { f.showFlags = true; }},
    {u"cm", false, [](RunFlags& f, std::u16string_view) { f.showCommands = true; }},
    {u"ab", false, [](RunFlags& f, std::u16string_view) { f.showAbout = true; }},
});

// One option, its key in any case, its value as written.
void Apply(RunFlags& f, std::u16string_view option) {
  const std::u16string lower = engine::ToLower(option);
  for (const OptionRule& rule : kOptionRules) {
    const bool matches = rule.alone ? lower.starts_with(rule.key) && (lower.size() == 1 || lower[1] == u' ')
                                    : lower.starts_with(rule.key);
    if (matches) return rule.apply(f, option);
  }
  if (!lower.empty()) Unknown(f, option);
}

}  // namespace

RunFlags ParseOptions(std::u16string_view commandLine, std::int32_t decimals) {
  RunFlags flags;
  flags.decimals = decimals;
  // The /sel text runs to the last apostrophe of the line, so it may hold "/" itself.
  std::u16string_view options = commandLine;
  const std::u16string lower = engine::ToLower(commandLine);
  const std::size_t sel = lower.find(u"/sel:'");
  std::u16string_view tail;
  if (sel != std::u16string::npos) {
    const std::size_t last = commandLine.rfind(u'\'');
    const std::size_t start = sel + 6;
    flags.selText = last > start ? std::u16string(commandLine.substr(start, last - start)) : u"";
    tail = last > start ? commandLine.substr(last + 1) : std::u16string_view();
    options = commandLine.substr(0, sel);
  }
  // An option starts at a "/" that opens the line or follows a blank, so that values may be
  // paths with "/" in them (dir/in.ulv).
  auto parse = [&](std::u16string_view text) {
    // A double-quoted value may hold anything, "/" after a blank included.
    auto nextOption = [&](std::size_t from) {
      bool quoted = false;
      for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == u'"') quoted = !quoted;
        if (!quoted && text[i] == u'/' && (i == 0 || text[i - 1] == u' ' || text[i - 1] == u'\t')) return i;
      }
      return std::u16string_view::npos;
    };
    std::size_t start = nextOption(0);
    while (start != std::u16string_view::npos) {
      const std::size_t next = nextOption(start + 1);
      std::u16string_view option =
          engine::Trim(text.substr(start + 1, next == std::u16string_view::npos ? std::u16string_view::npos : next - start - 1));
      if (!option.empty()) Apply(flags, option);
      start = next;
    }
  };
  parse(options);
  if (sel != std::u16string::npos && !flags.rsetF) {
    flags.selText = std::u16string(engine::Trim(flags.selText));
    flags.getFromSelTextF = true;
    flags.getFromClpF = false;
    flags.inputFile = false;
    flags.NoHF = true;
  }
  parse(tail);
  return flags;
}

namespace {

// A saved script as input, its output written (or appended) to Result.ulv beside it.
RunFlags FileRun(std::u16string_view path, std::int32_t decimals, bool append) {
  RunFlags f;
  f.decimals = decimals;
  f.InpFN = path;
  f.inputFile = true;
  Output(f, u"", append);
  return f;
}

}  // namespace

RunFlags WholeFileRun(std::u16string_view path, std::int32_t decimals) {
  RunFlags f = FileRun(path, decimals, false);
  f.logF = true;
  f.progress = true;
  return f;
}

RunFlags FileLineRun(std::u16string_view path, std::int32_t line, std::int32_t decimals) {
  RunFlags f = FileRun(path, decimals, true);
  f.lnsF = true;
  f.LnsStr = u";" + engine::IntegerText(line) + u";";
  f.lineOffsetGiven = true;
  return f;
}

RunFlags TextRun(std::u16string_view text, std::int32_t decimals, bool bare) {
  RunFlags f;
  f.decimals = decimals;
  f.selText = engine::Trim(text);
  f.getFromSelTextF = true;
  f.NoHF = true;
  f.noLnExpF = bare;
  f.bare = bare;
  return f;
}

std::u16string HelpText() {
  return u"Syntax: ulvXNpp [parameters], ulvXNpp /h\r\n"
         u"/i file      Input script file\r\n"
         u"/o [file]    Output file; if missing, OutpFN.ulv in InputFN folder is used\r\n"
         u"/a [file]    /a /o=overwrite - /a=append, if file exists\r\n"
         u"/gclp        Get the script from the ClipBoard\r\n"
         u"/sel:'...'   evaluate the SELected text given between apostrophes\r\n"
         u"/sclp        Save the result to the ClipBoard\r\n"
         u"/del         DELete the output file (and saved plots) before the run\r\n"
         u"/lns:x;y;z;  evaluate LiNenrS only - max 10 (es. /lns:1;12;23)\r\n"
         u"             forces /a parameter (append new lines to file)\r\n"
         u"/lc:n        Line Count offset added to the line numbers of /lns\r\n"
         u"/spl[:path\\] Save PLots as pictures (in path)\r\n"
         u"/pfmt:f      Picture Format of plots where they are files: png, svg or jpg\r\n"
         u"/rr          Remain Resident: keep variables between calls\r\n"
         u"/dec:nr      show numbers using nr DECimals (es. /dec:3 gives 0.456)\r\n"
         u"/log[:file]  write a LOG file (default ulvCmds.log)\r\n"
         u"/rset        ReSET the evaluator and all command variables;\r\n"
         u"             all other parameters are ignored\r\n"
         u"/noh         NO Header in the output\r\n"
         u"/nln         No Line Number and expression repeated for correct commands\r\n"
         u"/quit        QUIT a resident instance\r\n"
         u"/h           this Help\r\n"
         u"/sm          Show Memory: variables, functions, matrices\r\n"
         u"/lg          show the LoG file\r\n"
         u"/w           show the setup Window\r\n"
         u"/cm          show the CoMmand list\r\n"
         u"/sf          Show Flags and variables\r\n"
         u"/rep         REPeat the last command line\r\n"
         u"Program Exit Code returns Command Executed and Errors count\r\n"
         u" es. 123002 means 123 Commands Executed and 2 Errors encountered";
}

std::u16string FlagsDump(const RunFlags& f) {
  auto flag = [](bool on) { return on ? std::u16string(u"-1") : std::u16string(u"0"); };
  return u"Flags and Variables:\r\n"
         u"InpFN = " + f.InpFN + u"\r\nlnsF = " + flag(f.lnsF) + u"\r\nLnsStr = " + f.LnsStr +
         u"\r\ngetFromClpF = " + flag(f.getFromClpF) + u"\r\ngetFromSelTextF = " + flag(f.getFromSelTextF) +
         u"\r\nOutpFN = " + f.OutpFN + u"\r\nAppendF = " + flag(f.AppendF) + u"\r\nNoHF = " + flag(f.NoHF) +
         u"\r\nnoLnExpF = " + flag(f.noLnExpF) + u"\r\nSaveToClpBF = " + flag(f.SaveToClpBF) +
         u"\r\ndecimals = " + engine::IntegerText(f.decimals) + u"\r\nCurDir = \r\nsplF = " +
         flag(f.splF) + u"\r\nsplPath = " + f.splPath + u"\r\nlogF = " + flag(f.logF) + u"\r\nrrF = " +
         flag(f.rrF) + u"\r\nrsetF = " + flag(f.rsetF) + u"\r\ndelF = " + flag(f.delF);
}

}  // namespace script
