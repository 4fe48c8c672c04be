// SPDX-License-Identifier: MIT
// One full page of the card view painted by the real Qt window, offscreen: the
// background picture, the 16 rows of hex and characters of an SLE4442 image
// and the status panel, drawn into the window's image.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <vector>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/res/command_ids.h"
#include "sim/card_factory.h"
#include "sim/host.h"
#include "vexa/link/hid_host.h"

namespace {

void PaintOnePage(benchmark::State& state) {
    sim::SimHost host;
    host.AddReader().Insert(sim::MakeCard("sle4442"));
    vexa::InstallHidHost(&host);
    {
        demo::QtUi ui;
        demo::CDemoApp app(ui);
        app.InitInstance();
        for (int i = 0; i < 200; ++i) QCoreApplication::processEvents();
        app.OnCommand(demo::cmd::kReadCard);
        if (app.View().ReadState() != 2) state.SkipWithError("the card was not read");
        for (auto _ : state) ui.Repaint();
        ui.DestroyMainWindow();
    }
    vexa::InstallHidHost(nullptr);
}
BENCHMARK(PaintOnePage)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });

}  // namespace
