// SPDX-License-Identifier: MIT
// The commands behind the plug-in's menu: each takes text from the editor (the document's
// path, the current line, the selection or the expression at the caret), asks where the
// settings want it, runs it as a batch request in the numbers they choose and puts the result in
// a file, a window, the document or a call tip.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/services.h"
#include "plugin/editor.h"
#include "plugin/settings.h"
#include "script/batch.h"
#include "ui/text_windows.h"

namespace plugin {

// The editor besides its active view.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  virtual Editor& ActiveView() = 0;
  // Opens the file in the editor, or switches to it when it is open already.
  virtual bool OpenDocument(std::u16string_view path) = 0;
  // Shows text in the editor's status bar, where the document's type stands.
  virtual void ShowInStatusBar(std::u16string_view text) = 0;
};

struct CommandContext {
  script::BatchContext batch;
  platform::Services& os;
  ui::TextWindows& windows;
  EditorHost& host;
  const PluginSettings& settings;
  std::function<void(std::u16string_view)> log;  // the plug-in log's lines; empty when it is off
};

class EditorCommands {
 public:
  explicit EditorCommands(CommandContext context) : c_(std::move(context)) {}

  // "Eval CurFile To File": the saved document runs into Result.ulv beside it, then opened.
  void EvalCurFileToFile();
  // "Eval CurLine To File": the caret's line appended to Result.ulv, then opened.
  void EvalCurLineToFile();
  // "Eval CurLine To Wnd" and "Eval SelText To Wnd": the result in the result window, or,
  // for a call tip, only returned. Nothing when cancelled.
  std::optional<std::u16string> EvalCurLineToWindow(bool forCallTip);
  std::optional<std::u16string> EvalSelectionToWindow(bool forCallTip);
  // "Eval Expression To Wnd": the expression at the caret, its result inserted after it.
  void EvalExpressionToDocument();
  void ShowMemory();
  // "Insert filename": a file chosen in the open dialog, its name inserted.
  void InsertFileName();
  // "Sum Selection": sum, average, minimum, maximum and count of the numbers in the selection,
  // shown in the status bar and a call tip and copied to the clipboard.
  void SumSelection();
  // A result put into the document at the end of the current line or selection.
  void InsertResult(std::u16string_view text);

 private:
  // Runs the request of a menu command, writing it to the plug-in log; the output text.
  std::u16string RunBatch(std::u16string_view banner, script::RunFlags flags);
  std::int32_t Decimals() const { return c_.batch.host.decimals; }
  std::optional<std::u16string> EvalToWindow(std::u16string_view text, std::u16string_view caption, bool forCallTip);
  // The document's folder with its separator, or nothing (and a message) for an unsaved one.
  std::optional<std::u16string> DocumentFolder(const std::u16string& path);
  void Log(std::u16string_view line) const {
    if (c_.log) c_.log(line);
  }

  CommandContext c_;
};

}  // namespace plugin
