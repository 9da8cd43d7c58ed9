// Starting the program with its main window.
#include "app/GuiMain.h"

#include "app/MainFrame.h"
#include "app/ZoetraApp.h"
#include "app/ZoetraGLWidget.h"
#include "cli/Commands.h"

#include <QApplication>
#include <QIcon>
#include <QOpenGLContext>
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
    // The installed desktop entry and icon (none in a build tree: the window manager's default).
    QGuiApplication::setDesktopFileName(QStringLiteral("lumatoy"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("lumatoy")));
    QString startFile;
    const QStringList args = app.arguments().mid(1);
    for (const QString& arg : args) {
        if (arg.startsWith('-')) {
            std::fprintf(stderr, "lumatoy: unknown option %s (see lumatoy --help).\n",
                         qPrintable(arg));
            return 1;
        }
        if (!startFile.isEmpty()) {
            std::fprintf(stderr, "lumatoy: give at most one sequence file.\n");
            return 1;
        }
        startFile = absoluteUserPath(arg);
    }
    CZoetraApp zoetraApp;
    if (!zoetraApp.initInstance(startFile)) {
        std::fprintf(stderr, "lumatoy: the main window could not be created.\n");
        return 1;
    }
    // The view has its context once shown; without OpenGL there is nothing to draw with.
    auto* view = qobject_cast<ZoetraGLWidget*>(zoetraApp.mainFrame()->viewWidget());
    if (!view || !view->context() || !view->context()->isValid()) {
        std::fprintf(stderr, "lumatoy: OpenGL is not available on this display.\n");
        return 1;
    }
    return app.exec();
}
