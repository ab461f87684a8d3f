// SPDX-License-Identifier: MIT
// Plots as picture files, drawn with Cairo: PNG (the default), SVG, and JPEG (the format of
// saved plots).
#pragma once

#include <string>

#include "platform/services.h"
#include "ui/plot_output.h"

namespace ui {

// The bytes of the record's picture file (PNG, SVG or JPEG); empty when drawing fails.
std::string PlotPicture(const PlotRecord& record, PictureFormat format, int width, int height);

// Every plot becomes a picture in the save folder (or the current one) under the next
// sequential name: JPEG when plots are saved, PNG otherwise, unless a format is chosen.
class PictureFiles final : public PlotOutput {
 public:
  explicit PictureFiles(platform::Services& os) : os_(os) {}
  void StartRun() override {}
  ShownPlot Show(const PlotRecord& record, std::int32_t k, const PlotSaving& saving) override;

 private:
  platform::Services& os_;
};

}  // namespace ui
