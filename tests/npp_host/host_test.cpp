// SPDX-License-Identifier: MIT
// The plug-in in a host that behaves like the editor: loaded from plugins\ulvXNpp\, its menu
// commands run on documents in fake views, its questions answered both ways.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <utility>

#include "fake_npp.h"
#include "support/screenshot.h"

namespace npp_host {
namespace {

namespace fs = std::filesystem;

// Menu entries, 0-based.
constexpr int kCurFileToFile = 0, kCurLineToWindow = 3, kSelectionToWindow = 4, kExpressionToDocument = 5,
              kBuildMatrix = 9, kSumSelection = 12, kLiveResultsHere = 13;

// Modal windows run their own event loop; a timer's callback does what a user would there.
using TimerAction = void (*)();
TimerAction pendingAction = nullptr;
void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (pendingAction != nullptr) std::exchange(pendingAction, nullptr)();
}
void Later(TimerAction action) {
  pendingAction = action;
  SetTimer(nullptr, 0, 300, &RunPendingAction);
}

class HostTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::current_path() / "fake-npp";
    fs::remove_all(folder_);
    host_ = std::make_unique<FakeNpp>(ULVXNPP_DLL, folder_.wstring());
    if (!host_->ok()) GTEST_SKIP() << std::string(host_->failure.begin(), host_->failure.end());
  }
  void TearDown() override { host_.reset(); }

  // A script run through the library the plug-in lives in, as another caller would.
  void Run(const wchar_t* commandLine) {
    auto ulvEvalMain = Entry<int(__stdcall*)(const wchar_t*)>(host_->dll, "ulvEvalMain");
    ASSERT_NE(ulvEvalMain, nullptr);
    ulvEvalMain(commandLine);
  }
  std::string Settings() {
    std::ifstream file(folder_ / "plugins" / "ulvXNpp" / "ulvXNpp.INI", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string narrow;
    for (char c : text.str())
      if (c != '\0') narrow += c;  // the profile functions may write UTF-16
    return narrow;
  }
  // Handles the host's events until the check holds; false when ten seconds were not enough.
  template <typename Check>
  bool Eventually(Check check) {
    for (const DWORD start = GetTickCount(); !check(); host_->Pump(1))
      if (GetTickCount() - start > 10000) return false;
    return true;
  }
  std::wstring LastBox() const { return host_->boxes.empty() ? L"" : host_->boxes.back().text; }

  fs::path folder_;
  std::unique_ptr<FakeNpp> host_;
};

TEST_F(HostTest, LoadsWithItsMenuAndOptions) {
  ASSERT_EQ(host_->count, 14);
  EXPECT_STREQ(host_->items[4].itemName, L"Eval SelText To Wnd");
  ASSERT_NE(host_->items[4].pShKey, nullptr);
  EXPECT_TRUE(host_->items[4].pShKey->isCtrl);
  EXPECT_EQ(host_->items[4].pShKey->key, '3');
  EXPECT_EQ(host_->items[2].pFunc, nullptr);  // a separator
  for (const wchar_t* option : {L"Plugin Log", L"Decimals", L"ReSet memory", L"Acknowledgments"})
    EXPECT_FALSE(host_->OptionChecked(option)) << "option missing or ticked";
  EXPECT_EQ(host_->document().dwellTime, 10000000);  // no call tips: no dwell events wanted
}

// The result window goes to the editor's dark mode as it opens, and follows when the mode changes.
TEST_F(HostTest, OurWindowsFollowTheEditorsDarkMode) {
  host_->document().SetText("6*7");
  host_->document().Select(0, 3);
  host_->answers = {IDYES};
  host_->RunMenu(kSelectionToWindow);
  ASSERT_EQ(host_->themed.size(), 1u);
  const auto [window, init] = host_->themed[0];
  wchar_t title[64] = L"";
  GetWindowTextW(window, title, 64);
  EXPECT_NE(std::wstring(title).find(L"Result"), std::wstring::npos);
  EXPECT_EQ(init, 0xBu);
  host_->Notify(1027, 0);  // dark mode switched
  ASSERT_EQ(host_->themed.size(), 2u);
  EXPECT_EQ(host_->themed[1], std::make_pair(window, WPARAM{0xC}));
  EXPECT_NE(host_->TextWindow(L"Result").find(L"42.0000"), std::wstring::npos);  // and closed
}

TEST_F(HostTest, SelectionToWindowShowsTheResult) {
  Run(L"/sel:'Var = a ; 3'");
  host_->document().SetText("a*2+1");
  host_->document().Select(0, 5);
  host_->answers = {IDYES};
  host_->RunMenu(kSelectionToWindow);
  ASSERT_FALSE(host_->boxes.empty());
  EXPECT_NE(host_->boxes.back().text.find(L"Press: Yes to Evaluate Expression"), std::wstring::npos);
  EXPECT_EQ(host_->TextWindow(L"Result"), L"Ln 1: EXPR = a*2+1: \r\n Result => Number = 7.0000\r\n");
  EXPECT_EQ(host_->document().text, "a*2+1");  // the document is never changed by it

  host_->answers = {IDNO};
  host_->RunMenu(kSelectionToWindow);
  EXPECT_EQ(host_->TextWindow(L"Result"), L"");  // No runs nothing
}

TEST_F(HostTest, SumOfTheSelectionGoesToTheStatusBarATipAndTheClipboard) {
  host_->document().SetText("rent 1200,50\nfood 310\nbus -45.5\n");
  host_->document().Select(0, 32);
  host_->RunMenu(kSumSelection);
  EXPECT_EQ(host_->statusBar, L"Sum = 1465   Average = 488.3333333333   Min = -45.5   Max = 1200.5   Count = 3");
  EXPECT_EQ(host_->document().tipText, "Sum = 1465\nAverage = 488.3333333333\nMin = -45.5\nMax = 1200.5\nCount = 3");
  EXPECT_EQ(host_->document().text, "rent 1200,50\nfood 310\nbus -45.5\n");
}

// The editor binds Ctrl+2 and Ctrl+3 to commands of its own; typed, they still run ours.
TEST_F(HostTest, CtrlThreeTypedRunsTheSelection) {
  host_->document().SetText("6*7");
  host_->document().Select(0, 3);
  host_->answers = {IDYES};
  host_->PressKeys({VK_CONTROL, '3'});
  EXPECT_EQ(host_->TextWindow(L"Result"), L"Ln 1: EXPR = 6*7: \r\n Result => Number = 42.0000\r\n");
  EXPECT_TRUE(host_->styled.empty());
}

TEST_F(HostTest, ExpressionResultGoesIntoTheDocument) {
  Run(L"/sel:'Var = b ; 2'");  // the expression at the caret is the last line only
  host_->document().SetText("Var = b ; 2\r\nExpr = b*5");
  host_->answers = {IDYES};
  host_->RunMenu(kExpressionToDocument);
  EXPECT_EQ(host_->document().text, "Var = b ; 2\r\nExpr = b*5\r\nLn 1: EXPR = b*5: \r\n Result => Number = 10.0000");
  host_->document().SetText("");
  host_->RunMenu(kExpressionToDocument);
  EXPECT_EQ(LastBox(), L"No Expression found!");
  EXPECT_EQ(host_->document().text, "");
}

TEST_F(HostTest, CurrentFileRunsIntoResultBesideIt) {
  const fs::path documents = folder_ / "documents";
  fs::create_directories(documents);
  std::ofstream(documents / "sum.ulv") << "Expr = 6*7\r\n";
  host_->currentPath = (documents / "sum.ulv").wstring();
  host_->RunMenu(kCurFileToFile);
  std::ifstream result(documents / "Result.ulv", std::ios::binary);
  std::stringstream text;
  text << result.rdbuf();
  EXPECT_NE(text.str().find("'Executed Commands: 1, Errors found: 0"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("Number = 42.0000"), std::string::npos);
  ASSERT_EQ(host_->opened.size(), 1u);
  EXPECT_EQ(fs::path(host_->opened[0]), documents / "Result.ulv");

  host_->currentPath = L"new 1";  // never saved: no folder to write into
  host_->RunMenu(kCurFileToFile);
  EXPECT_NE(LastBox().find(L"has not been saved yet"), std::wstring::npos);
  EXPECT_EQ(host_->opened.size(), 1u);
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void CopyToClipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// A tip comes of the mouse at rest: what the user copied stays, and no log is written.
TEST_F(HostTest, CallTipsShowAndGo) {
  host_->answers = {IDOK};
  ASSERT_TRUE(host_->RunOption(L"Eval to Tooltip"));
  EXPECT_EQ(LastBox(), L"Evaluate to Tooltip enabled.");
  EXPECT_TRUE(host_->OptionChecked(L"Eval to Tooltip"));
  EXPECT_NE(Settings().find("Eval To ToolTip=1"), std::string::npos) << Settings();
  EXPECT_EQ(host_->document().dwellTime, 1000);

  host_->document().SetText("Expr = 2+3");
  host_->document().Select(4, 4);
  CopyToClipboard(L"copied by the user");
  fs::remove(fs::current_path() / "ulvCmds.log");
  host_->Notify(2016, 4);
  EXPECT_TRUE(host_->document().tipActive);
  EXPECT_NE(host_->document().tipText.find("Number = 5.0000"), std::string::npos) << host_->document().tipText;
  EXPECT_EQ(ClipboardText(), L"copied by the user");
  EXPECT_FALSE(fs::exists(fs::current_path() / "ulvCmds.log"));
  host_->Notify(2017, 4);
  EXPECT_FALSE(host_->document().tipActive);

  host_->document().SetText("Expr = 2+3\r\nExpr = 4*5");
  host_->document().Select(4, 4);
  host_->Notify(2016, 16);  // resting over the second line, the caret on the first
  EXPECT_FALSE(host_->document().tipActive) << host_->document().tipText;
}

TEST_F(HostTest, TogglesTickTheirItemsAndWriteTheirKeys) {
  for (const auto& [option, key] : {std::pair{L"Don't confirm Expr", "Don't confirm Expr=1"},
                                    std::pair{L"Don't show Summary", "Don't show Summary=1"}}) {
    ASSERT_TRUE(host_->RunOption(option));
    EXPECT_TRUE(host_->OptionChecked(option));
    EXPECT_NE(Settings().find(key), std::string::npos) << Settings();
  }
  ASSERT_TRUE(host_->RunOption(L"Don't confirm Expr"));
  EXPECT_FALSE(host_->OptionChecked(L"Don't confirm Expr"));
  EXPECT_NE(Settings().find("Don't confirm Expr=0"), std::string::npos);

  host_->answers = {IDOK};  // call tips switch the hidden summary off
  ASSERT_TRUE(host_->RunOption(L"Eval to Tooltip"));
  EXPECT_FALSE(host_->OptionChecked(L"Don't show Summary"));
  ASSERT_TRUE(host_->RunOption(L"Don't show Summary"));
  EXPECT_EQ(LastBox(), L"'Hide Expr Line' incompatible with 'Eval To ToolTip'");

  host_->answers = {IDNO};  // the log from the next start only
  ASSERT_TRUE(host_->RunOption(L"Plugin Log"));
  EXPECT_TRUE(host_->OptionChecked(L"Plugin Log"));
  EXPECT_NE(Settings().find("Debug=1"), std::string::npos);

  host_->inputs = {L"7"};
  ASSERT_TRUE(host_->RunOption(L"Decimals"));
  EXPECT_NE(Settings().find("Decimals=7"), std::string::npos);
  host_->inputs = {L"many"};
  ASSERT_TRUE(host_->RunOption(L"Decimals"));
  EXPECT_EQ(LastBox(), L"Invalid number");
}

// SetUp empties the folder the settings live in: the option turned on here is off in other tests.
TEST_F(HostTest, LiveResultsFollowTheScriptAsItIsTyped) {
  FakeDocument& d = host_->document();
  host_->currentPath = (folder_ / "costs.ulv").wstring();
  d.SetText("Var = a ; 2\r\nExpr = a*3\r\n2+*3\r\nPlot(0;x;1;10) = x\r\n");
  ASSERT_TRUE(host_->RunOption(L"Live Results"));
  EXPECT_TRUE(host_->OptionChecked(L"Live Results"));
  ASSERT_TRUE(Eventually([&] { return !d.NoteOn(3).empty(); }));
  EXPECT_EQ(d.NoteOn(1), "6.0000");
  EXPECT_TRUE(d.NoteOn(2).starts_with("ERROR")) << d.NoteOn(2);
  EXPECT_EQ(d.NoteOn(3), "Plot is not run live");
  EXPECT_TRUE(d.Marked(27));  // under "*", where the formula went wrong
  EXPECT_FALSE(d.Marked(26) || d.Marked(28));

  host_->Notify(2016, 25);  // the mouse rests on the failed line
  EXPECT_TRUE(d.tipActive);
  EXPECT_EQ(d.tipText, d.NoteOn(2) + "\nat column 3: '*'");

  host_->TypeLine(0, "Var = a ; 5");
  EXPECT_TRUE(Eventually([&] { return d.NoteOn(1) == "15.0000"; })) << d.NoteOn(1);
}

TEST_F(HostTest, LiveResultsGoWhenTurnedOffAndComeToOtherDocumentsWhenAsked) {
  FakeDocument& d = host_->document();
  host_->currentPath = (folder_ / "costs.ulv").wstring();
  d.SetText("Expr = 6*7\r\n2+\r\n");
  ASSERT_TRUE(host_->RunOption(L"Live Results"));
  ASSERT_TRUE(Eventually([&] { return !d.NoteOn(1).empty(); }));
  EXPECT_TRUE(d.Marked(13));
  ASSERT_TRUE(host_->RunOption(L"Live Results"));
  EXPECT_FALSE(host_->OptionChecked(L"Live Results"));
  EXPECT_TRUE(d.notes.empty());
  EXPECT_FALSE(d.Marked(13));

  host_->bufferId = 2;  // a text document comes to the front; no script, it shows nothing
  host_->currentPath = (folder_ / "notes.txt").wstring();
  d.SetText("Expr = 6*7\r\n");
  host_->Notify(1010, 0, 2);
  ASSERT_TRUE(host_->RunOption(L"Live Results"));
  host_->Pump(60);
  EXPECT_TRUE(d.notes.empty());
  host_->RunMenu(kLiveResultsHere);
  EXPECT_TRUE(Eventually([&] { return d.NoteOn(0) == "42.0000"; })) << d.NoteOn(0);
}

// Kept in the settings file; the notes on show and the menu commands take it at once.
TEST_F(HostTest, DoublePrecisionIsKeptAndChangesResults) {
  FakeDocument& d = host_->document();
  host_->currentPath = (folder_ / "thirds.ulv").wstring();
  d.SetText("Expr = 1/3\r\n");
  ASSERT_TRUE(host_->RunOption(L"Live Results"));
  ASSERT_TRUE(Eventually([&] { return d.NoteOn(0) == "0.3333"; })) << d.NoteOn(0);
  ASSERT_TRUE(host_->RunOption(L"Double Precision"));
  EXPECT_TRUE(host_->OptionChecked(L"Double Precision"));
  EXPECT_NE(Settings().find("Double Precision=1"), std::string::npos) << Settings();
  EXPECT_TRUE(Eventually([&] { return d.NoteOn(0) == "0.3333333333333333"; })) << d.NoteOn(0);
  d.Select(0, 10);
  host_->answers = {IDYES};
  host_->RunMenu(kSelectionToWindow);
  EXPECT_EQ(host_->TextWindow(L"Result"), L"Ln 1: EXPR = 1/3: \r\n Result => Number = 0.3333333333333333\r\n");
}

TEST_F(HostTest, ResetMemoryClearsVariablesOnYes) {
  Run(L"/sel:'Var = c ; 4'");
  host_->answers = {IDNO};
  ASSERT_TRUE(host_->RunOption(L"ReSet memory"));
  auto e_eval = Entry<int(__stdcall*)(const wchar_t*, double*, int)>(host_->dll, "e_eval");
  double value = 0;
  e_eval(L"c", &value, 0);
  EXPECT_EQ(value, 4.0);
  host_->answers = {IDYES};
  ASSERT_TRUE(host_->RunOption(L"ReSet memory"));
  value = 0;
  e_eval(L"c*1", &value, 0);
  EXPECT_NE(value, 4.0);
}

TEST_F(HostTest, BuildMatrixGivesItsTextOrNothing) {
  host_->document().SetText("Expr = 1");
  Later([] {
    HWND dialog = FindWindowW(nullptr, L"Vector / Matrix");
    if (dialog == nullptr) return;
    SetDlgItemTextW(dialog, 1001, L"2");
    SetDlgItemTextW(dialog, 1002, L"2");
    SendMessageW(dialog, WM_COMMAND, 1011, 0);  // Show Cells
    for (int k = 0; k < 4; ++k) SetDlgItemTextW(dialog, 2000 + k, std::to_wstring(k + 1).c_str());
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
    testing_support::KeepArtifact("matrix-dialog.jpg", testing_support::ScreenshotJpeg(dialog));
    PostMessageW(dialog, WM_COMMAND, 1005, 0);  // OK
  });
  host_->RunMenu(kBuildMatrix);
  EXPECT_EQ(host_->document().text, "Expr = 1\r\nMatr = [mA]; 2; 2; 1; 2; 3; 4");

  Later([] {
    if (HWND dialog = FindWindowW(nullptr, L"Vector / Matrix")) PostMessageW(dialog, WM_COMMAND, 1006, 0);  // Cancel
  });
  host_->RunMenu(kBuildMatrix);
  EXPECT_EQ(host_->document().text, "Expr = 1\r\nMatr = [mA]; 2; 2; 1; 2; 3; 4");
}

TEST_F(HostTest, ScreenshotsOfTheResultWindowAndTheOptionsMenu) {
  host_->document().SetText("Expr = 2^10");
  host_->answers = {IDYES};
  host_->RunMenu(kCurLineToWindow);
  HWND result = FindWindowW(L"ulvXNppTextWindow", L"Result");
  ASSERT_NE(result, nullptr);
  host_->Pump(20);
  testing_support::KeepArtifact("result-window.jpg", testing_support::ScreenshotJpeg(result));
  EXPECT_EQ(host_->TextWindow(L"Result"), L"Ln 1: EXPR = 2^10: \r\n Result => Number = 1024.0000\r\n");

  // The Options submenu, opened where the screenshot can find it.
  HMENU options = GetSubMenu(host_->popup, GetMenuItemCount(host_->popup) - 1);
  ASSERT_NE(options, nullptr);
  Later([] {
    testing_support::KeepArtifact("options-menu.jpg", testing_support::ScreenshotJpeg(RECT{0, 0, 420, 420}));
    EndMenu();
  });
  SetForegroundWindow(host_->main);
  TrackPopupMenu(options, TPM_LEFTALIGN | TPM_TOPALIGN, 10, 10, 0, host_->main, nullptr);
  EXPECT_TRUE(std::filesystem::exists("artifacts/options-menu.jpg"));
}

TEST_F(HostTest, TextsWithoutAFormulaSayNothingWasFound) {
  for (const char* line : {"' only a comment", "   ", ""}) {
    host_->document().SetText(line);
    host_->RunMenu(kCurLineToWindow);
    EXPECT_EQ(LastBox(), L"No Expression found!") << line;
    EXPECT_EQ(host_->document().text, line);
  }
  host_->document().SetText("hello world");  // not a formula: evaluated, and says why it fails
  host_->document().Select(0, 11);
  host_->answers = {IDYES};
  host_->RunMenu(kSelectionToWindow);
  const std::wstring shown = host_->TextWindow(L"Result");
  EXPECT_NE(shown.find(L"===> ERROR"), std::wstring::npos) << std::string(shown.begin(), shown.end()) << " / "
                                                            << std::string(LastBox().begin(), LastBox().end());
}

TEST_F(HostTest, FoldersWithAccentsAndFoldersThatCannotBeWritten) {
  const fs::path accents = folder_ / L"donn\u00e9es \u00e0 calculer";
  fs::create_directories(accents);
  std::ofstream(accents / "calc.ulv") << "Expr = 2+2\r\n";
  host_->currentPath = (accents / "calc.ulv").wstring();
  host_->RunMenu(kCurFileToFile);
  EXPECT_TRUE(fs::exists(accents / "Result.ulv"));
  ASSERT_EQ(host_->opened.size(), 1u);
  EXPECT_EQ(fs::path(host_->opened[0]), accents / "Result.ulv");

  // A document whose output cannot be written: its old Result.ulv stays, nothing is opened.
  const fs::path locked = folder_ / "locked";
  fs::create_directories(locked / "Result.ulv");  // a folder where the output file would go
  std::ofstream(locked / "calc.ulv") << "Expr = 3\r\n";
  host_->currentPath = (locked / "calc.ulv").wstring();
  host_->RunMenu(kCurFileToFile);
  EXPECT_NE(LastBox().find(L"Error 5: can't write the file"), std::wstring::npos) << LastBox();
  EXPECT_EQ(host_->opened.size(), 1u);
}

// An editor installed where its own folder cannot be written: the settings go to the folder
// the host names for plug-in settings.
TEST(HostSettingsTest, SettingsMoveToTheConfigFolderWhenTheirOldPlaceIsClosed) {
  const fs::path folder = fs::current_path() / "fake-npp-closed";
  fs::remove_all(folder);
  fs::create_directories(folder / "plugins" / "ulvXNpp" / "ulvXNpp.INI");  // a folder: no file can be made there
  {
    FakeNpp host(ULVXNPP_DLL, folder.wstring());
    if (!host.ok()) GTEST_SKIP() << "no desktop to open windows on";
    ASSERT_TRUE(host.RunOption(L"Don't confirm Expr"));
    std::ifstream saved(folder / "plugins" / "Config" / "ulvXNpp.INI", std::ios::binary);
    std::stringstream text;
    text << saved.rdbuf();
    std::string narrow;
    for (char c : text.str())
      if (c != '\0') narrow += c;
    EXPECT_NE(narrow.find("Don't confirm Expr=1"), std::string::npos) << narrow;
  }
}

TEST_F(HostTest, TenMegabyteDocument) {
  std::string big;
  big.reserve(10u << 20);
  while (big.size() < (10u << 20)) big += "' a long document of notes and formulas, line after line\r\n";
  big += "Var = k ; 6\r\nExpr = k*7";
  host_->document().SetText(big);
  host_->answers = {IDYES};
  host_->RunMenu(kExpressionToDocument);
  EXPECT_TRUE(host_->document().text.ends_with("Expr = k*7\r\nLn 1: EXPR = k*7: \r\n Result => ===> ERROR n. = 4: "
                                                "Undefined function           (Module: eval)") ||
              host_->document().text.ends_with("Number = 42.0000"));
  EXPECT_TRUE(host_->document().text.starts_with(big.substr(0, 1000)));  // the rest is untouched
}

}  // namespace
}  // namespace npp_host
