// SPDX-License-Identifier: MIT
// What the tests of the real Qt program share: running the event loop
// without real time, closing stray modal windows, screenshots, pixel counts
// and a fixture with a simulated SLE4442 inserted.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "sim/host.h"

namespace qt_test {

// Runs the event loop until `done` holds, without waiting for real time.
template <class Done>
bool ProcessUntil(Done done) {
    for (int round = 0; round < 1000 && !done(); ++round) QCoreApplication::processEvents();
    return done();
}

// A message box or dialog would stop the test: close any that opens and
// count it.
class ModalWatcher {
  public:
    ModalWatcher();
    int closed = 0;

  private:
    QTimer timer_;
};

// The path of a screenshot in the build tree's screenshot folder.
QString Screenshot(const char* name);

int CountPixels(const QImage& image, QRect area, QColor colour);

// Types as the operator does, one key at a time.
void TypeKeys(QWidget* field, const QString& text);

// The controls of a dialog that stick out of it or overlap another visible
// one, by their identifiers.
QStringList MisplacedControls(const QWidget& dialog);

class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    sim::SimHost host;
};

}  // namespace qt_test
