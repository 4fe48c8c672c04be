// SPDX-License-Identifier: MIT
#include "demo/app/demo_app.h"

#include "demo/commands/command_table.h"
#include "demo/dialogs/about_dialog.h"
#include "demo/res/command_ids.h"
#include "demo/res/menus.h"
#include "demo/view/colors.h"

namespace demo {

CDemoApp::CDemoApp(UiPort& ui) : ui_(ui) {}

CDemoApp::~CDemoApp() {
    ui_.SetEventSink(nullptr);
}

bool CDemoApp::InitInstance() {
    ui_.SetDialogColors(color::kGrey, color::kBlack);
    doc_ = std::make_unique<CDemoDoc>();
    frame_ = std::make_unique<CMainFrame>(ui_);
    view_ = std::make_unique<CDemoView>(ui_, *doc_);
    ui_.SetEventSink(this);
    frame_->Create();
    ui_.SetMenuBar(LoadMenuBar(menu::kMain));
    view_->OnCreate();
    created_ = true;
    ui_.ShowMainWindow();
    return true;
}

void CDemoApp::OnAppAbout() {
    CAboutDlg about(ui_);
    ui_.RunModal(about);
}

void CDemoApp::OnPaint() {
    if (!created_) return;
    frame_->OnPaint();
    view_->OnDraw();
}

void CDemoApp::OnSize() {
    if (created_) frame_->OnSize();
}

void CDemoApp::OnCommand(int id) {
    if (!created_) return;
    switch (id) {
        case cmd::kAbout:
            OnAppAbout();
            return;
        case cmd::kQuit:
            frame_->OnAppExit();
            return;
        case cmd::kHelp:
            frame_->OnHelp();
            return;
        default:
            RunViewCommand(*view_, id);
    }
}

void CDemoApp::OnKeyDown(Key key) {
    if (created_) view_->OnKeyDown(key);
}

void CDemoApp::OnChar(char ch) {
    if (created_) view_->OnChar(ch);
}

void CDemoApp::OnLButtonDown(int x, int y) {
    if (created_) view_->OnLButtonDown(x, y);
}

// The view gives the reader back once, however the program ends.
void CDemoApp::OnDestroy() {
    if (!created_) return;
    created_ = false;
    view_->OnDestroy();
}

}  // namespace demo
