// SPDX-License-Identifier: MIT
// The platform's plot output with saving on: a JPEG under the next free name in the folder,
// drawn by Cairo on Linux and by GDI on Windows.
#include <filesystem>
#include <fstream>

#include "support/engine_fixture.h"
#include "ui/decoded_image.h"
#include "ui/native_plot_output.h"

namespace {

namespace fs = std::filesystem;

class NativePlotTest : public testing_support::EngineTest {};

TEST_F(NativePlotTest, SavedPlotIsAJpegWithTheCurve) {
  ui::PlotRecord record = ui::ParsePlot(u"0;x;6.3;100", u"sin(x)");
  ui::SamplePlot(eng, record);
  // A real folder: the next name comes from the pictures already in it.
  const fs::path folder = fs::current_path() / "native-plot-pictures";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "ulvPlot_007.png") << "an older picture";

  const std::unique_ptr<ui::PlotOutput> output = ui::MakeNativePlotOutput(eng);
  ASSERT_NE(output, nullptr);
  output->StartRun();
  const ui::ShownPlot shown = output->Show(record, 1, {true, folder.u16string(), ui::PictureFormat::Default});
  fs::remove_all(folder);
  EXPECT_TRUE(shown.failure.empty()) << testing_support::Narrow(shown.failure);
  EXPECT_EQ(fs::path(shown.file), folder / "ulvPlot_008.jpg") << testing_support::Narrow(shown.file);
  ASSERT_TRUE(shown.file.ends_with(u".jpg") && services.files.contains(shown.file));

  const testing_support::DecodedImage image = testing_support::DecodeImage(services.files[shown.file]);
  ASSERT_EQ(std::pair(image.width, image.height), std::pair(ui::kPictureWidth, ui::kPictureHeight));
  int white = 0, dark = 0, curve = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.At(x, y);
      white += p[0] > 240 && p[1] > 240 && p[2] > 240;
      dark += p[0] < 80 && p[1] < 80 && p[2] < 80;
      curve += image.CurveAt(x, y);
    }
  }
  EXPECT_GT(white, image.width * image.height / 2);
  EXPECT_GT(dark, 500) << "frame and labels";
  EXPECT_GT(curve, 300) << "the sine across the area";
}

}  // namespace
