// SPDX-License-Identifier: MIT
// Plots on Windows. With the save-plots option a plot is drawn with GDI into a bitmap of its
// own and written as a JPEG picture.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/jpeg_encoder.h"
#include "ui/native_plot_output.h"
#include "ui/picture_names.h"
#include "ui/plot_layout.h"
#include "ui/win32/gdi_canvas.h"

namespace ui {
namespace {

// The plot drawn into a top-down 32-bit bitmap, as red, green, blue bytes.
std::vector<std::uint8_t> CapturePlot(const PlotRecord& record, int width, int height) {
  std::vector<std::uint8_t> rgb;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return rgb;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
      GdiCanvas canvas(dc, width, height);
      DrawPlot(record, canvas, width, height);
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint8_t*>(bits);  // blue, green, red, unused
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    rgb.resize(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
      rgb[3 * i] = pixels[4 * i + 2];
      rgb[3 * i + 1] = pixels[4 * i + 1];
      rgb[3 * i + 2] = pixels[4 * i];
    }
    SelectObject(dc, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(dc);
  return rgb;
}

class PlotWindows final : public PlotOutput {
 public:
  explicit PlotWindows(platform::Services& os) : os_(os) {}
  void StartRun() override {}
  ShownPlot Show(const PlotRecord& record, std::int32_t, const PlotSaving& saving) override {
    if (!saving.save) return {};
    const std::string bytes = EncodeJpeg(CapturePlot(record, kPictureWidth, kPictureHeight), kPictureWidth, kPictureHeight);
    if (bytes.empty()) return {{}, u"the picture could not be drawn"};
    const std::u16string file = NextPictureName(saving.folder, u"jpg");
    if (!os_.WriteFile(file, bytes, false)) return {{}, u"the picture cannot be written: " + file};
    return {file, {}};
  }

 private:
  platform::Services& os_;
};

}  // namespace

std::unique_ptr<PlotOutput> MakeNativePlotOutput(platform::Services& os) { return std::make_unique<PlotWindows>(os); }

}  // namespace ui
