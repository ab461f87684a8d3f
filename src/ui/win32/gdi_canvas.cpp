// SPDX-License-Identifier: MIT
#include "ui/win32/gdi_canvas.h"

#include <cmath>
#include <string>

namespace ui {
namespace {

struct Style {
  COLORREF color;
  int width;
};

Style StyleOf(Ink ink) {
  switch (ink) {
    case Ink::Frame: return {RGB(0, 0, 0), 1};
    case Ink::Grid: return {RGB(219, 219, 219), 1};
    case Ink::Axis: return {RGB(115, 115, 115), 1};
    case Ink::Curve: return {RGB(0, 69, 204), 2};
    case Ink::Text: return {RGB(0, 0, 0), 1};
    case Ink::Note: return {RGB(191, 0, 0), 1};
  }
  return {RGB(0, 0, 0), 1};
}

POINT Pixel(Point p) { return {static_cast<LONG>(std::lround(p.x)), static_cast<LONG>(std::lround(p.y))}; }

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {
  // "Verdana" at 8 points, at the screen's 96 dots per inch.
  font_ = CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Verdana");
  oldFont_ = SelectObject(dc_, font_);
  SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, oldFont_);
  DeleteObject(font_);
  if (pen_ != nullptr) {
    SelectObject(dc_, oldPen_);
    DeleteObject(pen_);
  }
}

void GdiCanvas::Use(Ink ink) {
  const Style style = StyleOf(ink);
  HPEN pen = CreatePen(PS_SOLID, style.width, style.color);
  HGDIOBJ previous = SelectObject(dc_, pen);
  if (pen_ != nullptr) DeleteObject(pen_);
  else oldPen_ = previous;
  pen_ = pen;
  SetTextColor(dc_, style.color);
}

void GdiCanvas::Clear() {
  const RECT all{0, 0, width_, height_};
  FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void GdiCanvas::Line(Point from, Point to, Ink ink) {
  Use(ink);
  const POINT a = Pixel(from);
  const POINT b = Pixel(to);
  MoveToEx(dc_, a.x, a.y, nullptr);
  LineTo(dc_, b.x, b.y);
}

void GdiCanvas::Polyline(const std::vector<Point>& points, Ink ink) {
  if (points.empty()) return;
  Use(ink);
  std::vector<POINT> pixels;
  pixels.reserve(points.size());
  for (Point p : points) pixels.push_back(Pixel(p));
  if (pixels.size() == 1) {
    const POINT p = pixels[0];
    Ellipse(dc_, p.x - 2, p.y - 2, p.x + 2, p.y + 2);
    return;
  }
  ::Polyline(dc_, pixels.data(), static_cast<int>(pixels.size()));
}

void GdiCanvas::Text(Point at, std::u16string_view text, Align align, Ink ink) {
  Use(ink);
  const UINT horizontal = align == Align::Left ? TA_LEFT : align == Align::Center ? TA_CENTER : TA_RIGHT;
  SetTextAlign(dc_, horizontal | TA_BASELINE);
  const POINT p = Pixel(at);
  TextOutW(dc_, p.x, p.y, Wide(text), static_cast<int>(text.size()));
}

double GdiCanvas::TextWidth(std::u16string_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc_, Wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

double GdiCanvas::TextHeight() {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight;
}

}  // namespace ui
