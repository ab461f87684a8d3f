// SPDX-License-Identifier: MIT
// Plots on Windows: each in a window of its own titled "aPlot #k", with the buttons "Redraw",
// "Close" and "Redraw from" (which takes a new start and end from the fields beside it). The
// windows stay open after the run and the next run closes them. With the save-plots option
// the window's picture is captured into a bitmap, written as JPEG, and the window closed.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine_core/number_text.h"
#include "platform/win32/window_class.h"
#include "ui/jpeg_encoder.h"
#include "ui/native_plot_output.h"
#include "ui/picture_names.h"
#include "ui/plot_layout.h"
#include "ui/win32/gdi_canvas.h"

namespace ui {
namespace {

constexpr int kButtonBand = 35;  // the strip under the picture that holds the buttons
constexpr wchar_t kClassName[] = L"ulvXNppPlotWindow";

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Renders the plot with GDI into a device context of the given size, through a memory bitmap
// so that a repaint never flickers; returns the bitmap's pixels as red, green, blue bytes when
// asked to.
std::vector<std::uint8_t> Render(const PlotRecord& record, HDC target, int width, int height, bool capture) {
  std::vector<std::uint8_t> rgb;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(target);
  void* bits = nullptr;
  HBITMAP bitmap = dc == nullptr ? nullptr : CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
      GdiCanvas canvas(dc, width, height);
      DrawPlot(record, canvas, width, height);
    }
    GdiFlush();
    if (target != nullptr) BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    if (capture) {
      rgb = RgbFromBgrx(static_cast<const std::uint8_t*>(bits),
                        static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    }
    SelectObject(dc, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (dc != nullptr) DeleteDC(dc);
  return rgb;
}

// One plot window and the record it redraws from.
class PlotWindow {
 public:
  PlotWindow(engine::Engine& engine, const PlotRecord& record, std::int32_t k) : engine_(engine), record_(record), k_(k) {}
  ~PlotWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  PlotWindow(const PlotWindow&) = delete;
  PlotWindow& operator=(const PlotWindow&) = delete;

  bool Open();
  bool IsOpen() const { return window_ != nullptr && IsWindow(window_); }
  HWND handle() const { return window_; }
  // The picture as it is drawn in the window.
  std::vector<std::uint8_t> Capture(int& width, int& height) const {
    PictureSize(width, height);
    return Render(record_, nullptr, width, height, true);
  }

 private:
  // Control numbers as the windows of plot k have always had them.
  int Id(int offset) const { return 10 * k_ + 110 + offset; }
  void PictureSize(int& width, int& height) const {
    RECT client{};
    GetClientRect(window_, &client);
    width = std::max(1, static_cast<int>(client.right));
    height = std::max(1, static_cast<int>(client.bottom) - kButtonBand);
  }
  void Layout();
  void Resample();
  std::u16string FieldText(int offset) const;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  engine::Engine& engine_;
  PlotRecord record_;
  std::int32_t k_;
  HWND window_ = nullptr;
};

bool PlotWindow::Open() {
  static const bool registered = platform::RegisterWindowClass(kClassName, &PlotWindow::Procedure, COLOR_BTNFACE);
  if (!registered) return false;
  RECT frame{0, 0, kPictureWidth, kPictureHeight + kButtonBand};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  const std::u16string title = u"aPlot #" + engine::IntegerText(k_);
  HINSTANCE instance = platform::ThisModule();
  window_ = CreateWindowExW(0, kClassName, Wide(title), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  auto child = [&](const wchar_t* kind, const wchar_t* text, DWORD style, int offset) {
    HWND control = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id(offset))), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  };
  child(L"BUTTON", L"Redraw", BS_PUSHBUTTON, 2);
  child(L"BUTTON", L"Close", BS_PUSHBUTTON, 3);
  child(L"BUTTON", L"Redraw from", BS_PUSHBUTTON, 4);
  const std::u16string start = engine::StrD0(engine::FormatFixed(record_.start));
  const std::u16string end = engine::StrD0(engine::FormatFixed(record_.end));
  child(L"EDIT", Wide(start), WS_BORDER | ES_AUTOHSCROLL, 5);
  child(L"EDIT", Wide(end), WS_BORDER | ES_AUTOHSCROLL, 6);
  Layout();
  platform::AnnounceWindow(window_);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
  return true;
}

void PlotWindow::Layout() {
  RECT client{};
  GetClientRect(window_, &client);
  const int y = client.bottom - kButtonBand + 6;
  const int places[][3] = {{2, 8, 84}, {3, 100, 84}, {4, 192, 100}, {5, 304, 80}, {6, 392, 80}};  // offset, x, width
  for (const auto& [offset, x, width] : places) MoveWindow(GetDlgItem(window_, Id(offset)), x, y, width, 23, TRUE);
  InvalidateRect(window_, nullptr, FALSE);
}

std::u16string PlotWindow::FieldText(int offset) const {
  wchar_t text[64] = L"";
  GetDlgItemTextW(window_, Id(offset), text, 64);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

void PlotWindow::Resample() {
  SamplePlot(engine_, record_);
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK PlotWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PlotWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      int width = 0;
      int height = 0;
      self->PictureSize(width, height);
      Render(self->record_, dc, width, height, false);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SIZE:
      self->Layout();
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == self->Id(2)) {
        self->Resample();
      } else if (id == self->Id(3)) {
        DestroyWindow(window);
      } else if (id == self->Id(4)) {
        PlotRecord changed = self->record_;
        changed.start = engine::ParseDecimal(self->FieldText(5));
        changed.end = engine::ParseDecimal(self->FieldText(6));
        if (PlotRefusal(changed).empty()) {
          self->record_ = changed;
          self->Resample();
        } else {
          MessageBoxW(window, L"The start must be a number before the end.", L"Vuza Reduzodod", MB_OK);
        }
      }
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

class PlotWindows final : public PlotOutput {
 public:
  PlotWindows(engine::Engine& engine, platform::Services& os) : engine_(engine), os_(os) {}
  void StartRun() override { windows_.clear(); }

  ShownPlot Show(const PlotRecord& record, std::int32_t k, const PlotSaving& saving) override {
    auto window = std::make_unique<PlotWindow>(engine_, record, k);
    const bool opened = window->Open();
    if (!saving.save) {
      if (!opened) return {{}, u"the plot window cannot be opened"};
      windows_.push_back(std::move(window));
      return {};
    }
    // Without a desktop to open the window on, the same drawing is made off screen.
    int width = kPictureWidth;
    int height = kPictureHeight;
    const std::vector<std::uint8_t> rgb =
        opened ? window->Capture(width, height) : Render(record, nullptr, width, height, true);
    const std::string bytes = EncodeJpeg(rgb, width, height);
    if (bytes.empty()) return {{}, u"the picture could not be drawn"};
    const std::u16string file = NextPictureName(saving.folder, u"jpg");
    if (!os_.WriteFile(file, bytes, false)) return {{}, u"the picture cannot be written: " + file};
    return {file, {}};
  }

  void WaitForClose() override {
    MSG message;
    while (HasOpenWindows() && GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  bool HasOpenWindows() const override {
    for (const auto& window : windows_)
      if (window->IsOpen()) return true;
    return false;
  }

 private:
  engine::Engine& engine_;
  platform::Services& os_;
  std::vector<std::unique_ptr<PlotWindow>> windows_;
};

}  // namespace

std::unique_ptr<PlotOutput> MakeNativePlotOutput(engine::Engine& engine) {
  return std::make_unique<PlotWindows>(engine, engine.core.platform);
}

}  // namespace ui
