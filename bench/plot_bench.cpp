// SPDX-License-Identifier: MIT
// A plot of 100,000 points: its sampling alone, and sampling plus drawing into a PNG picture
// (items/s are points per second). The goal is the whole under a second on one core.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/engine.h"
#include "platform/services.h"
#include "ui/cairo/picture_files.h"
#include "ui/plot_model.h"

namespace {

constexpr int kSteps = 100000;

ui::PlotRecord Record() { return ui::ParsePlot(u"0; x; 100; " + std::u16string(u"100000"), u"sin(x)*x/(1+x^2)"); }

void Sample(benchmark::State& state) {
  const std::unique_ptr<platform::Services> os = platform::MakeNativeServices();
  engine::Engine eng(*os);
  ui::PlotRecord record = Record();
  for (auto _ : state) {
    ui::SamplePlot(eng, record);
    benchmark::DoNotOptimize(record.ys.data());
  }
  state.SetItemsProcessed(state.iterations() * (kSteps + 1));
}

void SampleAndDrawPng(benchmark::State& state) {
  const std::unique_ptr<platform::Services> os = platform::MakeNativeServices();
  engine::Engine eng(*os);
  ui::PlotRecord record = Record();
  std::size_t bytes = 0;
  for (auto _ : state) {
    ui::SamplePlot(eng, record);
    bytes = ui::PlotPicture(record, ui::PictureFormat::Png, ui::kPictureWidth, ui::kPictureHeight).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * (kSteps + 1));
  state.counters["png_KB"] = static_cast<double>(bytes) / 1024.0;
}

}  // namespace

BENCHMARK(Sample)->Unit(benchmark::kMillisecond);
BENCHMARK(SampleAndDrawPng)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
