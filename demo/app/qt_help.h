// SPDX-License-Identifier: MIT
// The program's help: an HTML document installed with it, shown in a window
// of its own beside the main window.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace demo {

// Where the help file is: a path is taken as it is; a bare name is looked
// for in the data folder beside the program (share/vexa next to its bin
// folder, which the build tree mirrors), then in the installed data folder.
// Empty when it is nowhere.
QString FindHelpFile(const QString& name);

class QtHelpWindow : public QWidget {
  public:
    explicit QtHelpWindow(QWidget* parent);
    void ShowDocument(const QString& path);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace demo
