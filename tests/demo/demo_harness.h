// SPDX-License-Identifier: MIT
// The whole program on a recording screen against the simulated reader.
#pragma once

#include <memory>
#include <string_view>

#include "demo/app/demo_app.h"
#include "sim/card.h"
#include "sim/host.h"
#include "tests/demo/recording_ui.h"
#include "tests/demo/view_state_access.h"

namespace demo_test {

// A menu bar as the view sets it over USB: without "Device Control".
demo::MenuBar UsbMenuBar(int id);

class DemoHarness {
  public:
    // A reader with the named card ("none": empty slot), or no reader.
    explicit DemoHarness(std::string_view card = "sle4442", bool reader = true);
    ~DemoHarness();
    DemoHarness(const DemoHarness&) = delete;
    DemoHarness& operator=(const DemoHarness&) = delete;

    // Runs start-up up to the end of the first automatic card test.
    void Start();
    // Runs a menu command and what it posts.
    void Command(int id);

    demo::CDemoView& view() { return app->View(); }
    demo::CDemoDoc& doc() { return app->Doc(); }
    demo::ViewState& state() { return StateOf(view()); }
    sim::Card* card() { return host.ReaderCount() ? host.reader().card() : nullptr; }
    template <class C>
    C& CardAs() {
        return dynamic_cast<C&>(*card());
    }
    // The texts of the status lines 1 and 2 and the type name field.
    std::string Status(int line) const;
    std::string TypeName() const;
    std::string PortLabel() const;
    std::string PageCount() const;
    // What is drawn in the dump cells of page byte i.
    const RecordingUi::Text* HexCell(int i) const;
    const RecordingUi::Text* CharCell(int i) const;

    sim::SimHost host;
    RecordingUi ui;
    std::unique_ptr<demo::CDemoApp> app;
};

}  // namespace demo_test
