// SPDX-License-Identifier: MIT
#include "tests/demo/demo_harness.h"

#include "demo/res/menus.h"
#include "sim/card_factory.h"
#include "tests/support/sim_fixture.h"

namespace demo_test {

demo::MenuBar UsbMenuBar(int id) {
    demo::MenuBar bar = demo::LoadMenuBar(id);
    demo::RemoveItem(bar, "Select Card Type", "Device Control");
    return bar;
}

DemoHarness::DemoHarness(std::string_view card, bool reader) {
    if (reader) {
        host.AddReader();
        if (std::unique_ptr<sim::Card> inserted = sim::MakeCard(card)) {
            host.reader().Insert(std::move(inserted));
        }
    }
    vexa::InstallHidHost(&host);
    app = std::make_unique<demo::CDemoApp>(ui);
}

DemoHarness::~DemoHarness() {
    ui.DestroyMainWindow();
    app.reset();
    vexa::ResetLibraryState();
}

void DemoHarness::Start() {
    app->InitInstance();
    ui.Pump();
}

void DemoHarness::Command(int id) {
    app->OnCommand(id);
    ui.Pump();
}

std::string DemoHarness::Status(int line) const {
    const demo::screen::Point at = demo::screen::kStatusLine[line - 1];
    return ui.VisibleAt(at.x, at.y);
}

std::string DemoHarness::TypeName() const {
    return ui.VisibleAt(demo::screen::kTypeName.x, demo::screen::kTypeName.y);
}

std::string DemoHarness::PortLabel() const {
    return ui.VisibleAt(demo::screen::kPortLabel.x, demo::screen::kPortLabel.y);
}

std::string DemoHarness::PageCount() const {
    return ui.VisibleAt(demo::screen::kPageCount.x, demo::screen::kPageCount.y);
}

const RecordingUi::Text* DemoHarness::HexCell(int i) const {
    return ui.TextAt(demo::screen::HexCellX(i), demo::screen::CellY(i));
}

const RecordingUi::Text* DemoHarness::CharCell(int i) const {
    return ui.TextAt(demo::screen::CharCellX(i), demo::screen::CellY(i));
}

}  // namespace demo_test
