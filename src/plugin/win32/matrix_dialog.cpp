// SPDX-License-Identifier: MIT
#include "plugin/win32/matrix_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "engine_core/number_text.h"
#include "engine_core/text_util.h"
#include "exports/session.h"
#include "platform/win32/window_class.h"
#include "plugin/matrix_text.h"
#include "plugin/win32/plugin_state.h"
#include "plugin/win32/profile_store.h"

namespace plugin {
namespace {

enum Id : int {
  kRowsField = 1001, kColsField = 1002, kRowsLabel = 1003, kColsLabel = 1004, kOk = 1005, kCancel = 1006,
  kCopy = 1007, kNameLabel = 1008, kNameField = 1009, kDimX = 1010, kShowCells = 1011, kCellField = 1012,
  kCellLabel = 1013, kOutput = 1014, kOpen = 1017, kSave = 1018, kSaveAs = 1019, kExit = 1020, kCopyMenu = 1021,
  kClearCells = 1022, kDefaults = 1023, kDeterminant = 1024, kTranspose = 1025, kInvert = 1026, kOrtogonal = 1027,
  kAbout = 1028, kFirstCell = 2000,
};

constexpr std::u16string_view kCancelled = u"#PRESSED_CANCEL";
constexpr int kMaxCells = 20;  // per side: the grid must fit the window
constexpr int kCellWidth = 56, kCellHeight = 22;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

struct Dialog {
  HWND window = nullptr;
  HWND tips = nullptr;
  int rows = 0, cols = 0;
  std::optional<std::u16string> result;
  bool done = false;
};

std::u16string FieldText(HWND window, int id) {
  wchar_t text[256] = L"";
  GetDlgItemTextW(window, id, text, 256);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

int FieldNumber(HWND window, int id) {
  const int value = engine::TruncToInt32(engine::ParseDecimal(FieldText(window, id)));
  return value < 1 ? 1 : value > kMaxCells ? kMaxCells : value;
}

HWND Control(Dialog& d, const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
             const wchar_t* tip = nullptr) {
  HWND control = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, d.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), platform::ThisModule(), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (tip != nullptr && d.tips != nullptr) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = d.window;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(tip);
    SendMessageW(d.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  return control;
}

void ShowCells(Dialog& d) {
  for (int k = 0; k < d.rows * d.cols; ++k) DestroyWindow(GetDlgItem(d.window, kFirstCell + k));
  d.rows = FieldNumber(d.window, kRowsField);
  d.cols = FieldNumber(d.window, kColsField);
  SetDlgItemTextW(d.window, kOutput, d.rows == 1 || d.cols == 1 ? L"Output - Vector: " : L"Output - Matrix: ");
  for (int r = 0; r < d.rows; ++r)
    for (int c = 0; c < d.cols; ++c)
      Control(d, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 20 + c * (kCellWidth + 4),
              120 + r * (kCellHeight + 4), kCellWidth, kCellHeight, kFirstCell + r * d.cols + c);
  RECT frame{0, 0, std::max(490, 40 + d.cols * (kCellWidth + 4)), 150 + d.rows * (kCellHeight + 4) + 20};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
  SetWindowPos(d.window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  MoveWindow(GetDlgItem(d.window, kOutput), 10, 98, std::max(470, 20 + d.cols * (kCellWidth + 4)),
             40 + d.rows * (kCellHeight + 4), TRUE);
}

std::u16string CellsText(Dialog& d) {
  std::vector<std::u16string> cells;
  for (int k = 0; k < d.rows * d.cols; ++k) cells.push_back(FieldText(d.window, kFirstCell + k));
  return MatrixDialogText(FieldText(d.window, kNameField), d.rows, d.cols, cells,
                          IsDlgButtonChecked(d.window, kDimX) == BST_CHECKED);
}

void Command(Dialog& d, int id, int notification) {
  platform::Services& os = *exports::session().services;
  if (id >= kFirstCell && id < kFirstCell + d.rows * d.cols && notification == EN_SETFOCUS) {
    const int k = id - kFirstCell;
    const std::u16string where = u"R" + engine::IntegerText(k / d.cols) + u",C" +
                                 engine::IntegerText(k % d.cols);
    SetDlgItemTextW(d.window, kCellLabel, Wide(where));
    return;
  }
  switch (id) {
    case kShowCells: ShowCells(d); break;
    case kOk: d.result = CellsText(d); d.done = true; break;
    case kCopy:
    case kCopyMenu: os.SetClipboardText(CellsText(d)); break;
    case kCancel:
    case kExit: d.result = std::u16string(kCancelled); d.done = true; break;
    case kClearCells:
      for (int k = 0; k < d.rows * d.cols; ++k) SetDlgItemTextW(d.window, kFirstCell + k, L"");
      break;
    case kDefaults: {
      ProfileStore store(State().settingsFile);
      const bool saved = store.Write(u"InpMatrix", u"DefRows", FieldText(d.window, kRowsField)) &&
                         store.Write(u"InpMatrix", u"DefCols", FieldText(d.window, kColsField));
      if (!saved) os.ShowMessage(u"The defaults could not be saved: " + State().settingsFile, u"InpMatrix", platform::Buttons::Ok);
      break;
    }
    case kOpen: case kSave: case kSaveAs: case kDeterminant: case kTranspose: case kInvert: case kOrtogonal:
      os.ShowMessage(u"Function yet to be implemented!\r\nMy apologies", u"InpMatrix", platform::Buttons::Ok);
      break;
    case kAbout:
      exports::session().windows->ShowText(
          u"Vector / Matrix",
          u"Vector / Matrix\r\n\r\nType the number of rows and columns and press \"Show Cells\"; fill the cells "
          u"(an empty cell is 0) and give the matrix a name. \"OK\" puts a Matr line (Vect for a single row or "
          u"column) into the document, or, with \"Multi Line (DimX)\", one DimX line per row. \"Copy\" puts the "
          u"same text on the clipboard; \"Set Defaults\" keeps the size for the next time.");
      break;
    default: break;
  }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (d != nullptr && message == WM_COMMAND) {
    Command(*d, LOWORD(wParam), HIWORD(wParam));
    return 0;
  }
  if (d != nullptr && message == WM_CLOSE) {
    d->result = std::u16string(kCancelled);
    d->done = true;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HMENU DialogMenu() {
  HMENU bar = CreateMenu();
  auto popup = [&](const wchar_t* title, std::initializer_list<std::pair<int, const wchar_t*>> items) {
    HMENU menu = CreatePopupMenu();
    for (const auto& [id, text] : items) {
      if (id == 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      else AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), title);
  };
  popup(L"&File", {{kOpen, L"&Open"}, {kSave, L"&Save"}, {kSaveAs, L"Save &As"}, {0, nullptr}, {kExit, L"&Exit"}});
  popup(L"&Edit", {{kCopyMenu, L"&Copy"}, {kClearCells, L"C&lear cells"}, {0, nullptr}, {kDefaults, L"Set &Defaults"}});
  popup(L"&Calculate", {{kDeterminant, L"&Determinant"}, {kTranspose, L"&Transpose"}, {kInvert, L"&Invert"},
                        {kOrtogonal, L"&Ortogonal"}});
  popup(L"&Info", {{kAbout, L"&About"}});
  return bar;
}

}  // namespace

std::optional<std::u16string> Run_MtxMaker(std::u16string_view import) {
  static const bool registered = platform::RegisterWindowClass(L"ulvXNppMatrixDialog", &Procedure, COLOR_BTNFACE);
  platform::Services& os = *exports::session().services;
  if (!registered) {
    os.ShowMessage(u"Unable to call function Run_MtxMaker.", u"ulvCalc", platform::Buttons::Ok);
    return std::nullopt;
  }
  ProfileStore store(State().settingsFile);
  std::u16string rows = store.Read(u"InpMatrix", u"DefRows").value_or(u"3").substr(0, 40);
  std::u16string cols = store.Read(u"InpMatrix", u"DefCols").value_or(u"3").substr(0, 40);
  std::u16string name = u"[mA]";
  if (const std::size_t equals = import.find(u'='); equals != std::u16string_view::npos) {
    const std::u16string_view imported = engine::Trim(import.substr(0, equals));
    if (!imported.empty() &&
        os.ShowMessage(u"Import matrix: " + std::u16string(imported) + u"?", u"InpMatrix module",
                       platform::Buttons::YesNo) == platform::Answer::Yes) {
      name = imported;
      std::u16string_view fields = import.substr(equals + 1);
      if (fields.starts_with(u';')) fields.remove_prefix(1);
      const std::size_t semicolon = fields.find(u';');
      rows = engine::IntegerText(engine::TruncToInt32(engine::ParseDecimal(engine::Trim(fields.substr(0, semicolon)))));
      if (semicolon != std::u16string_view::npos)
        cols = engine::IntegerText(engine::TruncToInt32(engine::ParseDecimal(engine::Trim(fields.substr(semicolon + 1)))));
    }
  }

  Dialog d;
  HWND owner = State().npp.nppHandle;
  d.window = CreateWindowExW(WS_EX_DLGMODALFRAME, L"ulvXNppMatrixDialog", L"Vector / Matrix",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 480, 300, owner,
                             DialogMenu(), platform::ThisModule(), &d);
  if (d.window == nullptr) {
    os.ShowMessage(u"Unable to call function Run_MtxMaker.", u"ulvCalc", platform::Buttons::Ok);
    return std::nullopt;
  }
  d.tips = CreateWindowExW(0, L"ToolTips_Class32", nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, d.window, nullptr, platform::ThisModule(), nullptr);
  Control(d, L"STATIC", L"Rows", 0, 10, 12, 40, 20, kRowsLabel);
  Control(d, L"EDIT", Wide(rows), WS_BORDER | WS_TABSTOP, 50, 10, 40, 22, kRowsField, L"Number of rows");
  Control(d, L"STATIC", L"Cols", 0, 100, 12, 40, 20, kColsLabel);
  Control(d, L"EDIT", Wide(cols), WS_BORDER | WS_TABSTOP, 140, 10, 40, 22, kColsField, L"Number of columns");
  Control(d, L"BUTTON", L"&Show Cells", WS_TABSTOP, 190, 9, 90, 24, kShowCells, L"Make the grid of cells");
  Control(d, L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 290, 9, 70, 24, kOk, L"Put the text into the document");
  Control(d, L"BUTTON", L"Co&py", WS_TABSTOP, 370, 9, 45, 24, kCopy, L"Copy the text to the clipboard");
  Control(d, L"BUTTON", L"&Cancel", WS_TABSTOP, 420, 9, 55, 24, kCancel, L"Close without a result");
  Control(d, L"STATIC", L"Simb. Nm.", 0, 10, 44, 60, 20, kNameLabel);
  Control(d, L"EDIT", Wide(name), WS_BORDER | WS_TABSTOP, 70, 42, 80, 22, kNameField, L"Name of the matrix");
  Control(d, L"BUTTON", L"Multi Line (DimX)", WS_TABSTOP | BS_AUTOCHECKBOX, 160, 42, 130, 22, kDimX,
          L"One DimX line per row");
  Control(d, L"STATIC", L"R0,C0", 0, 300, 44, 50, 20, kCellLabel);
  Control(d, L"EDIT", L"", WS_BORDER, 350, 42, 110, 22, kCellField, L"The cell being edited");
  Control(d, L"BUTTON", L"Output", BS_GROUPBOX, 10, 98, 450, 120, kOutput);
  ShowCells(d);
  platform::AnnounceWindow(d.window);
  ShowWindow(d.window, SW_SHOWNORMAL);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  MSG message;
  while (!d.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(d.window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (owner != nullptr) EnableWindow(owner, TRUE);
  DestroyWindow(d.window);
  if (!d.result || *d.result == kCancelled) return std::nullopt;
  return d.result;
}

}  // namespace plugin
