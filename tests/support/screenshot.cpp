// SPDX-License-Identifier: MIT
#include "support/screenshot.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "ui/jpeg_encoder.h"

namespace testing_support {

std::string ScreenshotJpeg(RECT area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const std::vector<std::uint8_t> rgb = ui::RgbFromBgrx(
      static_cast<const std::uint8_t*>(bits), static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ui::EncodeJpeg(rgb, width, height);
}

std::string ScreenshotJpeg(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return ScreenshotJpeg(frame);
}

void KeepArtifact(const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories("artifacts");
  std::ofstream(std::filesystem::path("artifacts") / name, std::ios::binary) << bytes;
}

}  // namespace testing_support
