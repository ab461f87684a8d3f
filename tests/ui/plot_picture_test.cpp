// SPDX-License-Identifier: MIT
// Cairo pictures of plots, decoded and looked at: the curve passes where the layout maps its
// points and is not drawn across a pole. The PNGs are kept in plot-artifacts/.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "support/engine_fixture.h"
#include "ui/cairo/cairo_canvas.h"
#include "ui/cairo/picture_files.h"
#include "ui/decoded_image.h"
#include "ui/plot_layout.h"

namespace {

constexpr int kW = ui::kPictureWidth;
constexpr int kH = ui::kPictureHeight;

class PlotPictureTest : public testing_support::EngineTest {
 protected:
  // Samples the plot, draws it as PNG (kept under the name) and returns the decoded picture
  // and the mapping it was laid out with: a Cairo canvas has the picture's text metrics.
  testing_support::DecodedImage Drawn(std::u16string_view fields, std::u16string_view expression, const char* keptAs) {
    record = ui::ParsePlot(fields, expression);
    ui::SamplePlot(eng, record);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
    cairo_t* cr = cairo_create(surface);
    ui::CairoCanvas canvas(cr, kW, kH);
    mapping = ui::MappingFor(record, canvas, kW, kH);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    const std::string bytes = ui::PlotPicture(record, ui::PictureFormat::Png, kW, kH);
    std::filesystem::create_directories("plot-artifacts");
    std::ofstream(std::filesystem::path("plot-artifacts") / keptAs, std::ios::binary) << bytes;
    testing_support::DecodedImage image = testing_support::DecodeImage(bytes);
    EXPECT_EQ(image.width, kW);
    EXPECT_EQ(image.height, kH);
    return image;
  }
  // Every drawable point has curve ink within 2 pixels of where the mapping puts it.
  void ExpectCurveThroughPoints(const testing_support::DecodedImage& image) {
    int missed = 0;
    for (std::size_t i = 0; i < record.xs.size(); ++i) {
      if (!record.drawable[i]) continue;
      const ui::Point p = mapping.Map(record.xs[i], record.ys[i]);
      const int px = static_cast<int>(std::lround(p.x)), py = static_cast<int>(std::lround(p.y));
      bool found = false;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) found = found || image.CurveAt(px + dx, py + dy);
      if (!found && ++missed <= 5) ADD_FAILURE() << "no curve near point " << i << " at " << px << "," << py;
    }
    EXPECT_EQ(missed, 0);
  }
  ui::PlotRecord record;
  ui::PlotMapping mapping;
};

TEST_F(PlotPictureTest, SineCurveFollowsItsPoints) {
  const testing_support::DecodedImage image = Drawn(u"0;x;6.3;100", u"sin(x)", "sin.png");
  ASSERT_EQ(image.width, kW);
  ExpectCurveThroughPoints(image);
}

TEST_F(PlotPictureTest, NoCurveAcrossThePoleOfOneOverX) {
  const testing_support::DecodedImage image = Drawn(u"-1;x;1;100", u"1/x", "one-over-x.png");
  ASSERT_EQ(image.width, kW);
  ASSERT_NE(std::count(record.drawable.begin(), record.drawable.end(), false), 0) << "the pole is not sampled";
  ExpectCurveThroughPoints(image);
  const int column = static_cast<int>(std::floor(mapping.Map(0, 0).x));
  int crossing = 0;
  for (int y = static_cast<int>(mapping.top); y <= static_cast<int>(mapping.top + mapping.height); ++y)
    crossing += image.CurveAt(column, y);
  EXPECT_EQ(crossing, 0) << "curve pixels in column " << column;
}

TEST_F(PlotPictureTest, SvgAndJpeg) {
  record = ui::ParsePlot(u"0;x;1;10", u"x^2");
  ui::SamplePlot(eng, record);
  const std::string svg = ui::PlotPicture(record, ui::PictureFormat::Svg, kW, kH);
  EXPECT_TRUE(svg.starts_with("<?xml") || svg.find("<svg") != std::string::npos) << svg.substr(0, 80);
  const std::string jpeg = ui::PlotPicture(record, ui::PictureFormat::Jpeg, kW, kH);
  EXPECT_TRUE(jpeg.starts_with("\xFF\xD8"));
  const testing_support::DecodedImage image = testing_support::DecodeImage(jpeg);
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(kW, kH));
}

}  // namespace
