// SPDX-License-Identifier: MIT
// The editor's active Scintilla view and the editor window, as the editor commands see them.
#pragma once

#include <memory>
#include <string>

#include "plugin/editor_commands.h"
#include "plugin/win32/npp_abi.h"

namespace plugin {

class ScintillaView final : public Editor {
 public:
  ScintillaView(HWND host, HWND view) : host_(host), view_(view) {}
  std::string SelectedText() override;
  Position CurrentPos() override { return Send(npp::kSciGetCurrentPos); }
  Position SelectionStart() override { return Send(npp::kSciGetSelectionStart); }
  Position SelectionEnd() override { return Send(npp::kSciGetSelectionEnd); }
  Position Length() override { return Send(npp::kSciGetLength); }
  Position LineFromPosition(Position position) override { return Send(npp::kSciLineFromPosition, position); }
  Position PositionFromLine(Position line) override { return Send(npp::kSciPositionFromLine, line); }
  Position LineEndPosition(Position line) override { return Send(npp::kSciGetLineEndPosition, line); }
  Position Find(Position start, Position end, int flags, std::string_view text) override;
  std::string TextRange(Position start, Position end) override;
  std::vector<std::string> SelectionTexts() override;
  void GotoPos(Position position) override { Send(npp::kSciGotoPos, position); }
  void InsertText(Position position, std::string_view text) override;
  void ShowCallTip(Position position, std::string_view text) override;
  bool CallTipActive() override { return Send(npp::kSciCallTipActive) != 0; }
  void CancelCallTip() override { Send(npp::kSciCallTipCancel); }
  std::u16string FullPath() override;

  // Bytes of the document's encoding from or to UTF-8.
  std::string FromDocument(std::string_view bytes) const;
  std::string ToDocument(std::string_view utf8) const;

 private:
  UINT CodePage() const;
  Position Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return static_cast<Position>(SendMessageW(view_, message, wParam, lParam));
  }
  Position Send(UINT message, Position wParam) const { return Send(message, static_cast<WPARAM>(wParam), 0); }
  HWND host_;
  HWND view_;
};

class NppHost final : public EditorHost {
 public:
  explicit NppHost(const npp::NppData& data) : data_(data) {}
  Editor& ActiveView() override;
  bool OpenDocument(std::u16string_view path) override;
  void ShowInStatusBar(std::u16string_view text) override;

 private:
  npp::NppData data_;
  std::unique_ptr<ScintillaView> view_;
};

}  // namespace plugin
