// Demo: the demonstration and test program of the Tavix USB card reader.
#include <QApplication>

#include "demo/app/demo_app.h"
#include "demo/app/qt_ui.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    demo::QtUi ui;
    demo::CDemoApp demo_app(ui);
    if (!demo_app.InitInstance()) return 1;
    return QApplication::exec();
}
