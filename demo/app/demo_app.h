// SPDX-License-Identifier: MIT
// The application object: creates the frame, the document and the view,
// routes the window's events to them and shows the About box.
#pragma once

#include <memory>

#include "demo/app/main_frame.h"
#include "demo/port/ui_port.h"
#include "demo/view/demo_doc.h"
#include "demo/view/demo_view.h"

namespace demo {

class CDemoApp final : public WindowEvents {
  public:
    explicit CDemoApp(UiPort& ui);
    ~CDemoApp();

    // Creates the window and connects to the reader; the first paint then
    // posts the automatic card test.
    bool InitInstance();
    void OnAppAbout();

    CDemoView& View() { return *view_; }
    CDemoDoc& Doc() { return *doc_; }

    void OnPaint() override;
    void OnSize() override;
    void OnCommand(int id) override;
    void OnKeyDown(Key key) override;
    void OnChar(char ch) override;
    void OnLButtonDown(int x, int y) override;
    void OnDestroy() override;

  private:
    UiPort& ui_;
    std::unique_ptr<CDemoDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CDemoView> view_;
    bool created_ = false;
};

}  // namespace demo
