// SPDX-License-Identifier: MIT
// Our declarations of the editor host's plug-in interface: the structures it exchanges with
// a plug-in and the message numbers we send, with the layouts both architectures use.
#pragma once

#include <windows.h>

#include <cstdint>

namespace plugin::npp {

struct NppData {
  HWND nppHandle;
  HWND scintillaMainHandle;
  HWND scintillaSecondHandle;
};

struct ShortcutKey {
  bool isCtrl;
  bool isAlt;
  bool isShift;
  UCHAR key;
};

using PluginFunction = void(__cdecl*)();

struct FuncItem {
  wchar_t itemName[64];
  PluginFunction pFunc;
  int cmdID;  // written by the host
  bool init2Check;
  ShortcutKey* pShKey;
};

struct SCNotification {
  struct {
    void* hwndFrom;
    std::uintptr_t idFrom;
    unsigned int code;
  } nmhdr;
  std::intptr_t position;
  int ch;
  int modifiers;
  int modificationType;
  const char* text;
  std::intptr_t length;
  std::intptr_t linesAdded;
  int message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  std::intptr_t line;
  int foldLevelNow;
  int foldLevelPrev;
  int margin;
  int listType;
  int x;
  int y;
  int token;
  std::intptr_t annotationLinesAdded;
  int updated;
  int listCompletionMethod;
  int characterSource;
};

// The range of SCI_GETTEXTRANGE (and of the newer full-range message) for every host since 8.3.
struct TextRange {
  std::intptr_t cpMin;
  std::intptr_t cpMax;
  char* lpstrText;
};

#ifdef _WIN64
static_assert(sizeof(NppData) == 24 && sizeof(FuncItem) == 152 && sizeof(SCNotification) == 160);
#else
static_assert(sizeof(NppData) == 12 && sizeof(FuncItem) == 144 && sizeof(SCNotification) == 100);
#endif
static_assert(sizeof(ShortcutKey) == 4);

// Messages to the editor's main window.
inline constexpr UINT kGetCurrentScintilla = 2028;  // lParam: int* that receives 0 or 1
inline constexpr UINT kSetStatusBar = 2048;  // wParam: the part, 0 being the document's type
inline constexpr WPARAM kStatusBarDocType = 0;
inline constexpr UINT kGetMenuHandle = 2049;
inline constexpr UINT kSetMenuItemCheck = 2064;
inline constexpr UINT kGetPluginsConfigDir = 2070;
inline constexpr UINT kGetCurrentBufferId = 2084;
inline constexpr UINT kGetShortcutByCmdId = 2100;
inline constexpr UINT kDoOpen = 2101;
inline constexpr UINT kAllocateCmdId = 2105;
inline constexpr UINT kIsDarkModeEnabled = 2131;
inline constexpr UINT kDarkModeSubclassAndTheme = 2136;  // wParam: what to do; lParam: the window
inline constexpr WPARAM kDarkModeInit = 0xB;             // subclass the window and its children, theme them
inline constexpr WPARAM kDarkModeHandleChange = 0xC;     // follow a change of the mode
inline constexpr UINT kAllocateIndicator = 2137;  // wParam: how many; lParam: int* that receives the first
inline constexpr UINT kGetFullCurrentPath = 4025;
inline constexpr UINT kGetNppDirectory = 4031;

// Messages to a Scintilla view.
inline constexpr UINT kSciInsertText = 2003;
inline constexpr UINT kSciGetLength = 2006;
inline constexpr UINT kSciGetCurrentPos = 2008;
inline constexpr UINT kSciGotoPos = 2025;
inline constexpr UINT kSciStyleSetFore = 2051;
inline constexpr UINT kSciStyleSetBack = 2052;
inline constexpr UINT kSciStyleSetItalic = 2054;
inline constexpr UINT kSciIndicSetStyle = 2080;
inline constexpr UINT kSciIndicSetFore = 2082;
inline constexpr UINT kSciGetLineIndentPosition = 2128;
inline constexpr UINT kSciGetLineEndPosition = 2136;
inline constexpr UINT kSciGetCodePage = 2137;
inline constexpr UINT kSciGetSelectionStart = 2143;
inline constexpr UINT kSciGetSelectionEnd = 2145;
inline constexpr UINT kSciGetLineCount = 2154;
inline constexpr UINT kSciGetSelText = 2161;
inline constexpr UINT kSciGetTextRange = 2162;
inline constexpr UINT kSciLineFromPosition = 2166;
inline constexpr UINT kSciPositionFromLine = 2167;
inline constexpr UINT kSciSetTargetStart = 2190;
inline constexpr UINT kSciSetTargetEnd = 2192;
inline constexpr UINT kSciSearchInTarget = 2197;
inline constexpr UINT kSciSetSearchFlags = 2198;
inline constexpr UINT kSciCallTipShow = 2200;
inline constexpr UINT kSciCallTipCancel = 2201;
inline constexpr UINT kSciCallTipActive = 2202;
inline constexpr UINT kSciSetMouseDwellTime = 2264;
inline constexpr UINT kSciStyleGetBack = 2482;
inline constexpr UINT kSciSetIndicatorCurrent = 2500;
inline constexpr UINT kSciIndicatorFillRange = 2504;
inline constexpr UINT kSciIndicatorClearRange = 2505;
inline constexpr UINT kSciIndicatorValueAt = 2507;
inline constexpr UINT kSciAnnotationSetText = 2540;
inline constexpr UINT kSciAnnotationGetText = 2541;
inline constexpr UINT kSciAnnotationSetStyle = 2542;
inline constexpr UINT kSciAnnotationGetStyle = 2543;
inline constexpr UINT kSciAnnotationSetVisible = 2548;
inline constexpr UINT kSciAnnotationSetStyleOffset = 2550;
inline constexpr UINT kSciAllocateExtendedStyles = 2553;
inline constexpr UINT kSciGetSelections = 2570;
inline constexpr UINT kSciGetSelectionNStart = 2585;
inline constexpr UINT kSciGetSelectionNEnd = 2587;
inline constexpr UINT kSciEolAnnotationSetText = 2740;
inline constexpr UINT kSciEolAnnotationGetText = 2741;
inline constexpr UINT kSciEolAnnotationSetStyle = 2742;
inline constexpr UINT kSciEolAnnotationGetStyle = 2743;
inline constexpr UINT kSciEolAnnotationSetVisible = 2745;
inline constexpr UINT kSciEolAnnotationGetVisible = 2746;
inline constexpr UINT kSciEolAnnotationSetStyleOffset = 2747;
inline constexpr int kStyleDefault = 32;
inline constexpr int kIndicSquiggle = 1;
inline constexpr int kAnnotationStandard = 1;  // also EOLANNOTATION_STANDARD
inline constexpr int kModInsertText = 0x1;
inline constexpr int kModDeleteText = 0x2;
inline constexpr int kDwellNever = 10000000;

// Notifications.
inline constexpr unsigned int kReady = 1001;
inline constexpr unsigned int kFileBeforeClose = 1003;  // idFrom: the buffer
inline constexpr unsigned int kShutdown = 1009;
inline constexpr unsigned int kBufferActivated = 1010;  // idFrom: the buffer
inline constexpr unsigned int kLanguageChanged = 1011;
inline constexpr unsigned int kWordStylesUpdated = 1012;
inline constexpr unsigned int kDarkModeChanged = 1027;
inline constexpr unsigned int kGlobalModified = 1030;  // a Replace All, without SCN_MODIFIED; hwndFrom: the buffer
inline constexpr unsigned int kModified = 2008;
inline constexpr unsigned int kDwellStart = 2016;
inline constexpr unsigned int kDwellEnd = 2017;

}  // namespace plugin::npp
