// SPDX-License-Identifier: MIT
// The main frame: a fixed-size window with the program's caption; it quits
// and shows the help.
#pragma once

namespace demo {

class UiPort;

class CMainFrame {
  public:
    static constexpr int kWidth = 651;
    static constexpr int kHeight = 415;
    // The program's own help, installed with it.
    static constexpr const char* kHelpFile = "demo-help.html";

    explicit CMainFrame(UiPort& ui) : ui_(ui) {}

    // Creates the window without sizing border and maximise box.
    void Create();
    // Whatever size it is given, the window snaps back to its own.
    void OnSize();
    void OnPaint();
    void OnAppExit();
    void OnHelp();

  private:
    UiPort& ui_;
};

}  // namespace demo
