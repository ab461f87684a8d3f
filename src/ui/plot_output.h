// SPDX-License-Identifier: MIT
// Where the plots of a run go: picture files on Linux, plot windows on Windows. The script
// interpreter samples a plot and hands it over; tests hand it to a recorder.
#pragma once

#include <cstdint>
#include <string>

#include "ui/plot_model.h"

namespace ui {

enum class PictureFormat { Default, Png, Svg, Jpeg };

// The size of a saved picture, and of a new plot window's drawing.
inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 500;

// The save-plots option of a run.
struct PlotSaving {
  bool save = false;
  std::u16string folder;  // empty: the current folder
  PictureFormat format = PictureFormat::Default;
};

struct ShownPlot {
  std::u16string file;     // the picture written, or empty
  std::u16string failure;  // why no picture could be written, or empty
};

class PlotOutput {
 public:
  virtual ~PlotOutput() = default;
  // A new run: the plots of the previous one go (their windows close).
  virtual void StartRun() = 0;
  // Plot k (1, 2, ... within a run).
  virtual ShownPlot Show(const PlotRecord& record, std::int32_t k, const PlotSaving& saving) = 0;
  // Plots shown in windows that are still open, and waiting (handling their events) until the
  // user has closed them all: what a program without an event loop of its own does at its end.
  virtual bool HasOpenWindows() const { return false; }
  virtual void WaitForClose() {}
};

}  // namespace ui
