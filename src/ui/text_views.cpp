// SPDX-License-Identifier: MIT
#include "ui/text_views.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/var_store.h"
#include "engine_core/number_text.h"
#include "matrix/matrix_store.h"

namespace ui {
namespace {

constexpr std::u16string_view kTitle = u"Vuza Reduzodod";

std::u16string Spaced(std::u16string_view list) {
  std::u16string out;
  for (char16_t c : list) {
    if (c == u';') out += u"; ";
    else if (c == u'=') out += u" = ";
    else out += c;
  }
  return out;
}

}  // namespace

std::u16string MemoryListing(engine::Engine& engine) {
  return u"Show Memory:\r\n\r\nVariables:\r\n" + Spaced(engine::VarFuncListText(engine.vars, engine::ListKind::Variables)) +
         u"\r\nFunctions:\r\n" + Spaced(engine::VarFuncListText(engine.vars, engine::ListKind::Functions)) + u"\r\n" +
         matrix::GetMatrixList(engine.core, engine.matrices, true);
}

std::u16string LogView(std::u16string_view fileName, std::u16string_view content) {
  return u"Log File:\r\nFileName:" + std::u16string(fileName) + u"\r\n\r\n" + std::u16string(content);
}

std::u16string ProgressPercent(std::int32_t current, std::int32_t count) {
  const double tenths = count > 0 ? std::round(static_cast<double>(current) / count * 1000.0) : 0.0;
  const auto whole = static_cast<std::int64_t>(tenths) / 10;
  const auto tenth = static_cast<std::int64_t>(tenths) % 10;
  return engine::ToU16(std::to_string(whole) + (tenth != 0 ? "." + std::to_string(tenth) : "") + " %");
}

std::int32_t ProgressCells(std::int32_t current, std::int32_t count, std::int32_t width) {
  if (count <= 0 || current <= 0) return 0;
  if (current >= count) return width;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(current) * width / count);
}

void ShowLargeText(TextWindows& windows, platform::Services& os, std::u16string_view title, std::u16string_view text,
                   const std::function<bool(std::u16string_view)>& save) {
  if (text.size() <= kLargeText) {
    windows.ShowText(title, text);
    return;
  }
  os.ShowMessage(u"Text is " + engine::IntegerText(text.size()) +
                     u" characters long and may take time to be loaded.\r\n\r\n"
                     u"You can:\t1) view it\r\n"
                     u"        \t2) copy to clipboard\r\n"
                     u"        \t3) save to file\r\n"
                     u"        \t0) exit doing nothing\r\n",
                 kTitle, platform::Buttons::Ok);
  const std::u16string choice =
      os.AskText(u"1=View, 2=To Clipboard, 3=Save To File, 0=Exit", kTitle, u"0").value_or(u"0");
  if (choice == u"1") {
    windows.ShowText(title, text);
  } else if (choice == u"2") {
    os.SetClipboardText(text);
    os.ShowMessage(u"Text copied to clipboard", kTitle, platform::Buttons::Ok);
  } else if (choice == u"3") {
    if (save(text)) os.ShowMessage(u"Text saved to file", kTitle, platform::Buttons::Ok);
  } else if (choice != u"0") {
    os.ShowMessage(u"Nothing done", kTitle, platform::Buttons::Ok);
  }
}

}  // namespace ui
