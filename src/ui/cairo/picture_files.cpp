// SPDX-License-Identifier: MIT
#include "ui/cairo/picture_files.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/engine.h"
#include "ui/cairo/cairo_canvas.h"
#include "ui/jpeg_encoder.h"
#include "ui/native_plot_output.h"
#include "ui/picture_names.h"
#include "ui/plot_layout.h"


namespace ui {
namespace {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void Draw(cairo_surface_t* surface, const PlotRecord& record, int width, int height) {
  const ContextPtr cr(cairo_create(surface), &cairo_destroy);
  CairoCanvas canvas(cr.get(), width, height);
  DrawPlot(record, canvas, width, height);
}

// Cairo's pixels are premultiplied native-endian 32-bit words; the plot is opaque, so the
// colour bytes are the colours.
std::vector<std::uint8_t> RgbBytes(cairo_surface_t* surface, int width, int height) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  std::size_t out = 0;
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      rgb[out++] = static_cast<std::uint8_t>(row[x] >> 16);
      rgb[out++] = static_cast<std::uint8_t>(row[x] >> 8);
      rgb[out++] = static_cast<std::uint8_t>(row[x]);
    }
  }
  return rgb;
}

}  // namespace

std::string PlotPicture(const PlotRecord& record, PictureFormat format, int width, int height) {
  std::string bytes;
  auto append = [](void* context, const unsigned char* data, unsigned int size) {
    static_cast<std::string*>(context)->append(reinterpret_cast<const char*>(data), size);
    return CAIRO_STATUS_SUCCESS;
  };
  if (format == PictureFormat::Svg) {
    const SurfacePtr surface(cairo_svg_surface_create_for_stream(append, &bytes, width, height), &cairo_surface_destroy);
    Draw(surface.get(), record, width, height);
    cairo_surface_finish(surface.get());
    return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS ? bytes : std::string();
  }
  const SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
  Draw(surface.get(), record, width, height);
  if (format == PictureFormat::Jpeg) return EncodeJpeg(RgbBytes(surface.get(), width, height), width, height);
  return cairo_surface_write_to_png_stream(surface.get(), append, &bytes) == CAIRO_STATUS_SUCCESS ? bytes : std::string();
}

ShownPlot PictureFiles::Show(const PlotRecord& record, std::int32_t, const PlotSaving& saving) {
  PictureFormat format = saving.format;
  if (format == PictureFormat::Default) format = saving.save ? PictureFormat::Jpeg : PictureFormat::Png;
  const std::u16string_view extension = format == PictureFormat::Svg ? u"svg" : format == PictureFormat::Jpeg ? u"jpg" : u"png";
  const std::u16string file = NextPictureName(saving.folder, extension);
  const std::string bytes = PlotPicture(record, format, kPictureWidth, kPictureHeight);
  if (bytes.empty()) return {{}, u"the picture could not be drawn"};
  if (!os_.WriteFile(file, bytes, false)) return {{}, u"the picture cannot be written: " + file};
  return {file, {}};
}

std::unique_ptr<PlotOutput> MakeNativePlotOutput(engine::Engine& engine) {
  return std::make_unique<PictureFiles>(engine.core.platform);
}

}  // namespace ui
