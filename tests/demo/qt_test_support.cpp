// SPDX-License-Identifier: MIT
#include "tests/demo/qt_test_support.h"

#include <QDir>
#include <QKeyEvent>
#include <QWidget>

#include "sim/card_factory.h"
#include "tests/support/sim_fixture.h"

namespace qt_test {

ModalWatcher::ModalWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++closed;
            modal->close();
        }
    });
    timer_.start(0);
}

QString Screenshot(const char* name) {
    QDir().mkpath(DEMO_SCREENSHOT_DIR);
    return QString(DEMO_SCREENSHOT_DIR) + "/" + name;
}

int CountPixels(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) count += image.pixelColor(x, y) == colour;
    }
    return count;
}

void TypeKeys(QWidget* field, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(field, &press);
    }
}

QStringList MisplacedControls(const QWidget& dialog) {
    QStringList misplaced;
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        bool overlaps = false;
        for (QWidget* other : controls) {
            overlaps |= other != control && !other->isHidden() && !control->isHidden() &&
                        other->geometry().intersects(control->geometry());
        }
        if (overlaps || !dialog.rect().contains(control->geometry())) {
            misplaced << control->objectName();
        }
    }
    return misplaced;
}

void QtWindowTest::SetUp() {
    host.AddReader();
    host.reader().Insert(sim::MakeCard("sle4442"));
    vexa::InstallHidHost(&host);
}

void QtWindowTest::TearDown() {
    vexa::ResetLibraryState();
}

}  // namespace qt_test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
