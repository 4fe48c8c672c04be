// SPDX-License-Identifier: MIT
// Demo: the demonstration and test program of the Tavix USB card reader.
#include <QApplication>
#include <cstdio>
#include <string_view>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"
#include "tools/common/program_version.h"
#include "tools/common/simulator_launch.h"

namespace {

constexpr const char* kUsage =
    "usage: vexa-demo [--sim] [Qt options]\n"
    "       vexa-demo --help | --version\n"
    "  --sim  use the simulated reader instead of a real one (the library in\n"
    "         VEXA_SIM_LIB, else the installed one; VEXA_SIM_CARD picks its card)\n";

// Answers --help and --version before Qt needs a display; returns whether
// the program is to start.
bool HandleOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return false;
        }
        if (option == "--version") {
            vexa_program::PrintVersion("vexa-demo");
            return false;
        }
        if (option == "--sim") vexa_program::RunOnSimulator("vexa-demo", argv);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!HandleOptions(argc, argv)) return 0;
    QApplication application(argc, argv);
    demo::QtUi ui;
    demo::CDemoApp demo_app(ui);
    if (!demo_app.InitInstance()) return 1;
    return QApplication::exec();
}
