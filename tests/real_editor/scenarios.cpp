// SPDX-License-Identifier: MIT
#include "scenarios.h"

#include <functional>
#include <string>

namespace real_editor {
namespace {

constexpr wchar_t kSelectionToWindow[] = L"Eval SelText To Wnd";
constexpr wchar_t kCurLineToWindow[] = L"Eval CurLine To Wnd";

std::string Quoted(const std::wstring& text) { return "\"" + Utf8(text) + "\""; }

// The road of one request: the selection, the confirmation, the result window; by the menu
// and by the keyboard shortcut.
void SelectionToWindow(Steps& steps, RealEditor& e, Report& r) {
  steps.Then([&] {
    r.Check("the plug-in's entries are in the Plugins menu", e.PluginCommand(kSelectionToWindow) != 0);
    e.NewDocument();
    e.SetText("Var = a ; 3");
    e.Select(0, 11);
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kSelectionToWindow));
    e.TakeTextWindow(L"Result");
    e.SetText("a*2+1");
    e.Select(0, 5);
    e.boxes.clear();
    e.answers = {IDYES};
    e.Invoke(e.PluginCommand(kSelectionToWindow));
    const std::wstring expected = L"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n";
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("menu: Eval SelText To Wnd shows the result", shown == expected, Quoted(shown));
    r.Check("menu: the confirmation names the selection",
            !e.boxes.empty() && e.boxes[0].text.find(L"a*2+1") != std::wstring::npos &&
                e.boxes[0].text.find(L"Press: Yes to Evaluate Expression") != std::wstring::npos,
            e.boxes.empty() ? "no box" : Quoted(e.boxes[0].text));
    e.boxes.clear();
    e.answers = {IDYES};
    e.PressKeys({VK_CONTROL, '3'});
  });
  steps.Wait(1500);
  steps.Then([&] {
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("Ctrl+3 at the keyboard: the confirmation, then the result", !e.boxes.empty() &&
            shown == L"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n", Quoted(shown) + " after " + std::to_string(e.boxes.size()) + " boxes");
    e.SetText("Expr = a+10");
    e.Select(3, 3);
    e.boxes.clear();
    e.answers = {IDYES};
    e.PressKeys({VK_CONTROL, '2'});
  });
  steps.Wait(1500);
  steps.Then([&] {
    HMENU bar = reinterpret_cast<HMENU>(SendMessageW(e.main(), 2049, 1, 0));
    std::function<void(HMENU)> walk = [&](HMENU m) {
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        wchar_t label[256] = L"";
        GetMenuStringW(m, static_cast<UINT>(i), label, 256, MF_BYPOSITION);
        std::wstring t = label;
        if (t.find(L"Ctrl+2") != std::wstring::npos || t.find(L"Ctrl+3") != std::wstring::npos || t.find(L"Eval") != std::wstring::npos)
          r.Check("DIAG item " + Utf8(t) + " id " + std::to_string(GetMenuItemID(m, i)), false);
        if (HMENU sub = GetSubMenu(m, i)) walk(sub);
      }
    };
    walk(bar);
    HACCEL accel = nullptr; (void)accel;
    e.PressKeys({VK_CONTROL, 'F'});
  });
  steps.Wait(1500);
  steps.Then([&] {
    HWND find = FindWindowW(L"#32770", nullptr);
    wchar_t title[128] = L"";
    if (find) GetWindowTextW(find, title, 128);
    r.Check(std::string("DIAG after ctrl+F dialog: ") + Utf8(title), false);
    if (find) PostMessageW(find, WM_CLOSE, 0, 0);
    r.Check("DIAG boxes " + std::to_string(e.boxes.size()), false);
  });
  steps.Wait(500);
  steps.Then([&] {
    const std::wstring shown = e.TakeTextWindow(L"Result");
    r.Check("Ctrl+2 at the keyboard: the current line's result", shown == L"Ln 1: EXPR = a+10: \r\n Result => Number = 13.0000\r\n", Quoted(shown));
  });
}

}  // namespace

void AddScenarios(Steps& steps, RealEditor& editor, Report& report) {
  SelectionToWindow(steps, editor, report);
  (void)kCurLineToWindow;
}

}  // namespace real_editor
