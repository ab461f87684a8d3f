// SPDX-License-Identifier: MIT
#include "script/batch.h"

#include <chrono>
#include <filesystem>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "matrix/matrix_store.h"
#include "morvane_version.h"
#include "script/command_table.h"
#include "script/script_run.h"
#include "script/text_files.h"
#include "ui/picture_names.h"
#include "ui/text_views.h"

namespace script {
namespace {

constexpr std::u16string_view kTitle = u"Vuza Reduzodod";
// The messages and the log quote the result; an output of megabytes is already in its file.
constexpr std::size_t kMaxQuotedResultChars = 100000;

constexpr std::u16string_view kFileDialogTitle = u"Open File";
constexpr std::u16string_view kFileDialogFilter = u"Text (*.txt)|*.txt|All files (*.*)|*.*";

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

void Show(BatchContext& c, std::u16string_view text) {
  c.engine.core.platform.ShowMessage(text, kTitle, platform::Buttons::Ok);
}

// Asks for a file name with the save dialog and writes the text there.
std::int32_t SaveWithDialog(BatchContext& c, std::u16string_view text) {
  platform::Services& os = c.engine.core.platform;
  const std::optional<std::u16string> chosen = os.AskFileName(kFileDialogTitle, kFileDialogFilter, true);
  if (!chosen) return kFileCancelled;
  if (WriteTextFile(os, *chosen, text)) return kFileDone;
  Show(c, u"Error 5: can't write the file\r\nfile: " + *chosen);
  return kFileNotWritten;
}

// A line for the messages window (when the host shows it), and for the log file when logging
// is on.
void Add(BatchContext& c, std::u16string_view line) {
  c.state.messages.append(line).append(u"\r\n");
  if (c.host.showMessages && c.windows != nullptr) c.windows->AddMessage(line);
  if (c.state.flags.logF) c.engine.core.platform.AppendLine(c.state.flags.logFile, line);
}

// A line for the plug-in's log, when the plug-in keeps one.
void PluginLog(BatchContext& c, const BatchRequest& request, std::u16string_view line) {
  if (request.pluginLog && !c.host.pluginLogFile.empty()) c.engine.core.platform.AppendLine(c.host.pluginLogFile, line);
}

// A long text goes to the text window (asking first when it is very long); without one, to a
// message box.
void ShowInWindow(BatchContext& c, std::u16string_view title, std::u16string_view text) {
  if (c.windows == nullptr) return Show(c, text);
  ui::ShowLargeText(*c.windows, c.engine.core.platform, title, text,
                    [&](std::u16string_view shown) { return SaveWithDialog(c, shown) == kFileDone; });
}

void ServeShowRequests(BatchContext& c) {
  const RunFlags& f = c.state.flags;
  if (f.showHelp) Show(c, HelpText());
  if (f.showMemory) ShowInWindow(c, u"Show Memory", ui::MemoryListing(c.engine));
  if (f.showLog) {
    const std::optional<std::string> log = c.engine.core.platform.ReadFile(f.logFile);
    if (log) ShowInWindow(c, u"Log File", ui::LogView(f.logFile, DecodeText(*log).text));
    else Show(c, u"Log file not found: " + f.logFile);
  }
  if (f.showFlags) Show(c, FlagsDump(f));
  if (f.showAbout) Show(c, InformationText());
  if (f.showCommands) ShowInWindow(c, u"Commands", CommandListText());
}

// The script of this call, or false when its input file cannot be read.
bool GatherScript(BatchContext& c) {
  const RunFlags& f = c.state.flags;
  c.state.runText.clear();
  if (f.inputFile) {
    if (LoadSaveFile(c, FileMode::LoadInput) != kFileDone) return false;
    Add(c, u"LoadFromFile  : " + Quoted(f.InpFN));
  } else if (f.getFromClpF) {
    c.state.runText = c.engine.core.platform.ClipboardText();
    Add(c, u"GetClipbTEXT  : " + Quoted(c.state.runText));
  } else if (f.getFromSelTextF) {
    c.state.runText = f.selText;
    Add(c, u"Expression    : " + Quoted(c.state.runText));
  }
  std::u16string& text = c.state.runText;
  if (text.ends_with(u'/')) text.pop_back();
  const std::u16string_view trimmed = engine::Trim(text);
  const std::size_t first = trimmed.empty() ? 0 : static_cast<std::size_t>(trimmed.data() - text.data());
  text.resize(first + trimmed.size());
  text.erase(0, first);
  return true;
}

// The script gathered, it runs and its output goes to the file, the clipboard and the result.
void RunAndDeliver(BatchContext& c, std::chrono::steady_clock::time_point started, const BatchRequest& batch,
                   BatchResult& result) {
  BatchState& st = c.state;
  platform::Services& os = c.engine.core.platform;
  const RunFlags& f = st.flags;
  if (f.delF && f.outputFile) os.WriteFile(f.OutpFN, "", false);
  if (f.delF && f.splF) {
    const std::int32_t deleted = ui::DeleteSavedPictures(f.splPath);
    Add(c, u"Deleted *.jpg : " + (deleted < 0 ? u"the folder cannot be read" : engine::IntegerText(deleted) + u" saved plot pictures"));
  }

  ScriptRunRequest request;
  request.run.text = st.runText;
  request.run.decimals = f.decimals;
  request.run.bare = f.bare;
  request.run.selection = f.lnsF;
  request.run.lineList = f.LnsStr;
  request.run.lineOffset = f.lineOffset;
  request.run.firstNumber = c.host.firstLineNumber;
  request.run.quiet = f.noLnExpF;
  const std::u16string info = InformationText();
  request.info = info;
  request.inputFile = f.InpFN;
  request.noHeader = f.NoHF;
  request.run.plotSaving = ui::PlotSaving{f.splF, f.splPath, f.plotFormat};
  request.run.progress = f.progress;
  request.run.keepRecords = batch.keepRecords;
  Context context{c.engine, c.diff, st.interpreter, c.plots, c.progress};
  ScriptRunResult run = RunScriptWithHeader(context, request);
  st.runText = std::move(run.text);
  st.lastResult = run.run.Code();
  result.records = std::move(run.run.records);
  Add(c, u"Eval Executed : Commands: " + engine::IntegerText(run.run.executed) + u", Errors: " + engine::IntegerText(run.run.errors));
  const std::u16string codes = u"Eval Codes    : Ret = " + engine::IntegerText(st.lastResult) + u", ExitCode = " + engine::IntegerText(st.lastResult);
  Add(c, codes);
  PluginLog(c, batch, codes);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  Add(c, u"'--- End Of BatchRun : Time " + os.LocalTimeText() + u" - (Execution Time: " + engine::IntegerText(elapsed.count()) + u" ms)");

  if (f.outputFile && !f.OutpFN.empty()) {
    st.outputFailed = LoadSaveFile(c, FileMode::SaveOutput) != kFileDone;
    if (!st.outputFailed) Add(c, u"SaveToFile    : " + Quoted(f.OutpFN));
  }
  if (f.SaveToClpBF) os.SetClipboardText(st.runText);
  result.text = st.runText;
  Add(c, u"Result        : " + Quoted(engine::Abbreviated(st.runText, kMaxQuotedResultChars)));
  Add(c, u" : Command Line Executed.");
}

std::u16string CurrentFolder() {
  std::error_code failed;
  const std::filesystem::path folder = std::filesystem::current_path(failed);
  return failed ? std::u16string() : folder.u16string();
}

}  // namespace

std::u16string InformationText() {
  return u"'Vuza Reduzodod - a math evaluator for scripts and text files\r\n'Version " +
         std::u16string(morvane::kVersionText);
}

std::optional<FileMode> FileModeOf(std::int32_t number) {
  switch (static_cast<FileMode>(number)) {
    case FileMode::LoadInput:
    case FileMode::LoadInputAsked:
    case FileMode::LoadCommandList:
    case FileMode::ChooseAndLoad:
    case FileMode::SaveOutput:
    case FileMode::ChooseAndSave: return static_cast<FileMode>(number);
  }
  return std::nullopt;
}

std::int32_t LoadSaveFile(BatchContext& c, FileMode mode) {
  platform::Services& os = c.engine.core.platform;
  RunFlags& f = c.state.flags;
  auto load = [&](const std::u16string& path, std::u16string_view failure) -> std::int32_t {
    const std::optional<std::string> bytes = os.ReadFile(path);
    if (!bytes) {
      Show(c, std::u16string(failure) + path);
      return kFileNotRead;
    }
    DecodedText decoded = DecodeText(*bytes);
    if (!decoded.refusal.empty()) Show(c, decoded.refusal);
    c.state.runText = std::move(decoded.text);
    return decoded.refusal.empty() ? kFileDone : kFileNotRead;
  };
  switch (mode) {
    case FileMode::LoadInput: return load(f.InpFN, u"Error 4: can't read the file\r\nfile: ");
    case FileMode::LoadInputAsked: return load(f.InpFN, u"Error 7: can't read the file\r\nfile: ");
    case FileMode::LoadCommandList:
      return load(os.LibraryFolder() + u"ShowCmds.ulv", u"Error 7: can't read the file\r\nfile: ");
    case FileMode::SaveOutput: {
      if (WriteTextFile(os, f.OutpFN, c.state.runText, f.AppendF)) return kFileDone;
      Show(c, (f.AppendF ? u"Error 5: can't open the file\r\nfile: " : u"Error 5: can't write the file\r\nfile: ") +
                  f.OutpFN);
      return kFileNotWritten;
    }
    case FileMode::ChooseAndLoad: {
      const std::optional<std::u16string> chosen = os.AskFileName(kFileDialogTitle, kFileDialogFilter, false);
      if (!chosen) {
        c.state.runText = u"Error 7: Operation cancelled by user.";
        return kFileCancelled;
      }
      f.InpFN = *chosen;
      return load(f.InpFN, u"Error 7: can't read the file\r\nfile: ");
    }
    case FileMode::ChooseAndSave: return SaveWithDialog(c, c.state.runText);
  }
  return kFileUnknownMode;
}

BatchResult RunBatch(BatchContext& c, BatchRequest request) {
  const auto started = std::chrono::steady_clock::now();
  BatchState& st = c.state;
  platform::Services& os = c.engine.core.platform;
  st.flags = std::move(request.flags);
  st.messages.clear();
  st.inputFailed = false;
  st.outputFailed = false;
  st.lastResult = 0;
  const RunFlags& f = st.flags;

  Add(c, InformationText());
  Add(c, u"BatchRun      : Time " + os.LocalTimeText());
  Add(c, u"INI File      : " + Quoted(c.host.iniFile));
  Add(c, u"Log File      : " + Quoted(f.logFile));
  if (request.menu.empty()) Add(c, u"Command Line  : " + Quoted(request.commandLine));
  else Add(c, u"Menu Command  : " + Quoted(request.menu));
  Add(c, u"Input File    : " + Quoted(f.InpFN));
  Add(c, u"Output File   : " + Quoted(f.OutpFN));
  Add(c, u"Save Plot Path: " + Quoted(f.splPath));
  Add(c, u"Current Folder: " + Quoted(CurrentFolder()));
  if (!f.unknown.empty()) Add(c, u"Unknown option: " + Quoted(f.unknown));
  if (f.rsetF) {
    engine::ReSetEqParser(c.engine);
    Add(c, u"Command       : Reset EqParser and all command variables and string");
  }
  ServeShowRequests(c);

  BatchResult result;
  if (GatherScript(c)) {
    RunAndDeliver(c, started, request, result);
  } else {
    st.inputFailed = true;
    result.text = u"Error : Invalid Input file.\r\nfilename: " + f.InpFN +
                  (f.rrF ? u" Program will remain resident waiting for further inputs." : u" Program will terminate.");
    Add(c, result.text);
  }
  const std::u16string end = u"Evaluation End: Exit code: " + engine::IntegerText(st.lastResult);
  Add(c, end);
  PluginLog(c, request, end);
  Add(c, std::u16string(53, u'-'));
  result.code = st.lastResult;
  return result;
}

std::int32_t ulvEvalMain(BatchContext& c, std::u16string_view commandLine) {
  BatchRequest request{.flags = ParseOptions(commandLine, c.host.decimals), .commandLine = commandLine, .menu = {}};
  PluginLog(c, request, u"Proc: ulvEvalMain(): CmdLine = '" + std::u16string(commandLine) + u"'");
  // The last result goes now rather than at the end, so that two outputs are never held at once.
  c.state.resultText = std::u16string();
  BatchResult result = RunBatch(c, std::move(request));
  c.state.resultText = std::move(result.text);
  return result.code;
}

}  // namespace script
