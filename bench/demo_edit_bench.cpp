// SPDX-License-Identifier: MIT
// Key press to repainted cell in the real Qt window, offscreen: a hex digit
// typed over a 24C02 image goes through the view, is drawn into the window's
// image and painted on the canvas before the key event returns.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "demo/app/qt_window.h"
#include "demo/res/command_ids.h"
#include "sim/card_factory.h"
#include "sim/host.h"
#include "vexa/link/hid_host.h"

namespace {

void Settle() {
    for (int i = 0; i < 200; ++i) QCoreApplication::processEvents();
}

void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

void KeyToRepaintedCell(benchmark::State& state) {
    sim::SimHost host;
    host.AddReader().Insert(sim::MakeCard("24c02"));
    vexa::InstallHidHost(&host);
    {
        demo::QtUi ui;
        demo::CDemoApp app(ui);
        app.InitInstance();
        Settle();
        app.OnCommand(demo::cmd::kReadCard);
        app.OnCommand(demo::cmd::kWriteCard);
        Settle();
        QWidget* canvas = ui.Window()->centralWidget();
        // The card's last digit: typing there redraws the byte and stays.
        for (int i = 0; i < 15; ++i) Key(canvas, Qt::Key_Down);
        Key(canvas, Qt::Key_End);
        for (auto _ : state) Key(canvas, Qt::Key_5, "5");
        if (app.View().Page() != 0 || app.Doc().m_nModifiedRows != 1) {
            state.SkipWithError("the key did not edit the last byte");
        }
        ui.DestroyMainWindow();
    }
    vexa::InstallHidHost(nullptr);
}
BENCHMARK(KeyToRepaintedCell)->Unit(benchmark::kMicrosecond);

}  // namespace
