// Starting the program with its main window.
#include "app/GuiMain.h"

#include "app/Commands.h"
#include "app/ZoetraGLWidget.h"

#include <QApplication>
#include <QMainWindow>
#include <QOpenGLContext>
#include <QTimer>
#include <cstdio>

namespace {
// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
} // namespace

int runGui(int& argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "lumatoy: no display is available; use `lumatoy render` to render "
                             "without one (see lumatoy --help).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Untitled - Lumatoy"));
    auto* view = new ZoetraGLWidget(&window);
    window.setCentralWidget(view);
    window.resize(800, 600);
    window.show();
    // The view has its context once shown; without OpenGL there is nothing to draw with.
    if (!view->context() || !view->context()->isValid()) {
        std::fprintf(stderr, "lumatoy: OpenGL is not available on this display.\n");
        return 1;
    }
    return app.exec();
}
