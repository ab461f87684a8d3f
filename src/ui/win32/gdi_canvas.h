// SPDX-License-Identifier: MIT
// The plot canvas drawn with GDI into a device context: a plot window's or a memory bitmap's.
#pragma once

#include <windows.h>

#include "ui/canvas.h"

namespace ui {

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, int width, int height);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void Clear() override;
  void Line(Point from, Point to, Ink ink) override;
  void Polyline(const std::vector<Point>& points, Ink ink) override;
  void Text(Point at, std::u16string_view text, Align align, Ink ink) override;
  double TextWidth(std::u16string_view text) override;
  double TextHeight() override;

 private:
  void Use(Ink ink);
  HDC dc_;
  int width_;
  int height_;
  HFONT font_;
  HGDIOBJ oldFont_;
  HPEN pen_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
};

}  // namespace ui
