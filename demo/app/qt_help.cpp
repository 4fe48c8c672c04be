// SPDX-License-Identifier: MIT
#include "demo/app/qt_help.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace demo {

QString FindHelpFile(const QString& name) {
    QStringList candidates = {name};
    if (QFileInfo(name).isRelative()) {
        candidates = {QCoreApplication::applicationDirPath() + "/../share/vexa/" + name,
                      QStringLiteral(DEMO_INSTALLED_DATA_DIR "/") + name};
    }
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile()) return info.canonicalFilePath();
    }
    return {};
}

QtHelpWindow::QtHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle("Demo Help");
    resize(640, 520);
    browser_->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

void QtHelpWindow::ShowDocument(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    show();
    raise();
    activateWindow();
}

}  // namespace demo
