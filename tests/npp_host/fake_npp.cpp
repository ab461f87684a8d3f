// SPDX-License-Identifier: MIT
#include "fake_npp.h"

#include <filesystem>

#include "support/keyboard.h"

namespace npp_host {
namespace {

constexpr UINT kFirstPluginCommand = 22000;
// The editor's marking with its 2nd and 3rd style, on Ctrl+2 and Ctrl+3.
constexpr WORD kSecondStyle = 43040, kThirdStyle = 43041;
constexpr int kFirstIndicator = 20;  // the first one the host hands plug-ins
FakeNpp* current = nullptr;  // the hook and the window procedure reach the host through it

void CopyOut(const std::wstring& text, WPARAM length, LPARAM buffer) {
  if (buffer == 0) return;
  lstrcpynW(reinterpret_cast<wchar_t*>(buffer), text.c_str(), static_cast<int>(length == 0 ? 32768 : length));
}

}  // namespace

FakeNpp::FakeNpp(const std::wstring& dllPath, const std::wstring& hostFolder) : folder(hostFolder) {
  current = this;
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path pluginFolder = fs::path(folder) / L"plugins" / L"ulvXNpp";
  fs::create_directories(pluginFolder, ignored);
  fs::create_directories(fs::path(folder) / L"plugins" / L"Config", ignored);
  const fs::path pluginDll = pluginFolder / L"ulvXNpp.dll";
  fs::copy_file(dllPath, pluginDll, fs::copy_options::overwrite_existing, ignored);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &MainProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"Notepad++";
  RegisterClassW(&windowClass);
  RegisterFakeScintilla();
  bar = CreateMenu();
  for (int i = 0; i < 10; ++i) AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"&Menu");
  plugins = CreatePopupMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(plugins), L"&Plugins");
  main = CreateWindowExW(0, L"Notepad++", L"Fake Notepad++", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 600, nullptr,
                         bar, GetModuleHandleW(nullptr), nullptr);
  if (main == nullptr) {
    failure = L"no desktop to open windows on";
    return;
  }
  view0 = CreateFakeScintilla(main);
  view1 = CreateFakeScintilla(main);
  hook_ = SetWindowsHookExW(WH_CBT, &BoxHook, nullptr, GetCurrentThreadId());
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, '2', kSecondStyle}, {FCONTROL | FVIRTKEY, '3', kThirdStyle}};
  keys_ = CreateAcceleratorTableW(keys, 2);

  // The editor's order: isUnicode, getName, setInfo, getFuncsArray; then the menu, then the
  // notifications, and messageProc with the messages the host does not keep for itself.
  dll = LoadLibraryExW(pluginDll.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (dll == nullptr) {
    failure = L"the plug-in did not load: error " + std::to_wstring(GetLastError());
    return;
  }
  auto isUnicode = Entry<BOOL(__cdecl*)()>(dll, "isUnicode");
  auto getName = Entry<const wchar_t*(__cdecl*)()>(dll, "getName");
  auto setInfo = Entry<void(__cdecl*)(plugin::npp::NppData)>(dll, "setInfo");
  auto getFuncsArray = Entry<plugin::npp::FuncItem*(__cdecl*)(int*)>(dll, "getFuncsArray");
  beNotified_ = Entry<Notified>(dll, "beNotified");
  messageProc_ = Entry<MessageProc>(dll, "messageProc");
  if (!isUnicode || !getName || !setInfo || !getFuncsArray || !beNotified_ || !messageProc_ || !isUnicode()) {
    failure = L"an entry point is missing";
    return;
  }
  const std::wstring name = getName();
  setInfo({main, view0, view1});
  items = getFuncsArray(&count);
  popup = CreatePopupMenu();
  for (int k = 0; k < count; ++k) {
    if (items[k].pFunc == nullptr) {
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    items[k].cmdID = static_cast<int>(kFirstPluginCommand) + k;
    AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(items[k].cmdID), items[k].itemName);
  }
  InsertMenuW(plugins, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name.c_str());
  Notify(1002, 0);
  messageProc_(WM_SIZE, 0, 0);
  Notify(1001, 0);
}

FakeNpp::~FakeNpp() {
  if (beNotified_ != nullptr) Notify(1009, 0);
  if (main != nullptr) DestroyWindow(main);
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (keys_ != nullptr) DestroyAcceleratorTable(keys_);
  if (dll != nullptr) FreeLibrary(dll);
  current = nullptr;
}

void FakeNpp::RunMenu(int k) {
  SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(items[k].cmdID), 0);
  Pump();
}

bool FakeNpp::RunOption(const std::wstring& text) {
  HMENU options = nullptr;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    wchar_t label[64] = L"";
    GetMenuStringW(popup, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
    if (std::wstring(label) == L"Options") options = GetSubMenu(popup, i);
  }
  for (int i = 0; options != nullptr && i < GetMenuItemCount(options); ++i) {
    wchar_t label[64] = L"";
    GetMenuStringW(options, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
    if (label != text) continue;
    SendMessageW(main, WM_COMMAND, GetMenuItemID(options, i), 0);
    Pump();
    return true;
  }
  return false;
}

bool FakeNpp::OptionChecked(const std::wstring& text) {
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    HMENU options = GetSubMenu(popup, i);
    for (int j = 0; options != nullptr && j < GetMenuItemCount(options); ++j) {
      wchar_t label[64] = L"";
      GetMenuStringW(options, static_cast<UINT>(j), label, 64, MF_BYPOSITION);
      if (label == text) return (GetMenuState(options, static_cast<UINT>(j), MF_BYPOSITION) & MF_CHECKED) != 0;
    }
  }
  return false;
}

void FakeNpp::Notify(unsigned int code, std::intptr_t position, std::uintptr_t buffer) {
  plugin::npp::SCNotification note{};
  note.nmhdr.hwndFrom = code >= 2000 ? static_cast<void*>(view0) : static_cast<void*>(main);
  note.nmhdr.idFrom = buffer;
  note.nmhdr.code = code;
  note.position = position;
  beNotified_(&note);
}

void FakeNpp::TypeLine(std::intptr_t line, const std::string& text) {
  auto ask = [&](UINT message) {
    return static_cast<std::intptr_t>(SendMessageW(view0, message, static_cast<WPARAM>(line), 0));
  };
  const std::intptr_t start = ask(plugin::npp::kSciPositionFromLine), end = ask(plugin::npp::kSciGetLineEndPosition);
  auto modified = [&](int type, std::intptr_t length) {
    plugin::npp::SCNotification note{};
    note.nmhdr.hwndFrom = view0;
    note.nmhdr.code = plugin::npp::kModified;
    note.position = start;
    note.modificationType = type;
    note.length = length;
    beNotified_(&note);
  };
  document().Replace(start, end, "");
  if (end > start) modified(plugin::npp::kModDeleteText, end - start);
  document().Replace(start, start, text);
  if (!text.empty()) modified(plugin::npp::kModInsertText, static_cast<std::intptr_t>(text.size()));
}

void FakeNpp::PressKeys(std::initializer_list<WORD> keys) {
  SetForegroundWindow(main);
  SetFocus(view0);
  testing_support::TypeKeys(keys);
  Pump(40);
}

void FakeNpp::Pump(int rounds) {
  for (int round = 0; round < rounds; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAcceleratorW(main, keys_, &message)) continue;  // as the editor's own loop does
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

std::wstring FakeNpp::TextWindow(const std::wstring& title) {
  HWND window = FindWindowW(L"ulvXNppTextWindow", title.c_str());
  if (window == nullptr) return {};
  HWND edit = GetWindow(window, GW_CHILD);
  const int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  DestroyWindow(window);  // the next result opens a window of its own
  return text;
}

LRESULT CALLBACK FakeNpp::MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FakeNpp* host = current;
  if (host == nullptr || host->messageProc_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case 2028: *reinterpret_cast<int*>(lParam) = 0; return TRUE;
    case 2048: host->statusBar = reinterpret_cast<const wchar_t*>(lParam); return TRUE;
    case 2049: return reinterpret_cast<LRESULT>(wParam == 0 ? host->plugins : host->bar);
    case 2064: return TRUE;
    case 2070: CopyOut(host->folder + L"\\plugins\\Config", wParam, lParam); return TRUE;
    case 2100: {  // the shortcut of a command of ours, as the user's mapping has it now
      for (int k = 0; k < host->count; ++k)
        if (host->items[k].cmdID == static_cast<int>(wParam) && host->items[k].pShKey != nullptr) {
          *reinterpret_cast<plugin::npp::ShortcutKey*>(lParam) = *host->items[k].pShKey;
          return TRUE;
        }
      return FALSE;
    }
    case 2084: return static_cast<LRESULT>(host->bufferId);
    case 2101: host->opened.push_back(reinterpret_cast<const wchar_t*>(lParam)); return TRUE;
    case 2105: *reinterpret_cast<int*>(lParam) = host->nextCommandId; host->nextCommandId += static_cast<int>(wParam); return TRUE;
    case 2136: host->themed.emplace_back(reinterpret_cast<HWND>(lParam), wParam); return static_cast<LRESULT>(wParam);
    case 2137: *reinterpret_cast<int*>(lParam) = kFirstIndicator; return TRUE;
    case 4025: CopyOut(host->currentPath, wParam, lParam); return TRUE;
    case 4031: CopyOut(host->folder, wParam, lParam); return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= static_cast<int>(kFirstPluginCommand) && id < static_cast<int>(kFirstPluginCommand) + host->count) {
        host->items[id - static_cast<int>(kFirstPluginCommand)].pFunc();
        return 0;
      }
      if (id == kSecondStyle || id == kThirdStyle) {
        host->styled.push_back(id);
        return 0;
      }
      if (id >= 23000 && id <= 24999) {
        host->messageProc_(WM_COMMAND, static_cast<WPARAM>(id), 0);
        return 0;
      }
      break;
    }
    default: break;
  }
  host->messageProc_(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Message boxes and the input box are answered as soon as they come up.
LRESULT CALLBACK FakeNpp::BoxHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && current != nullptr) current->Answer(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace npp_host
