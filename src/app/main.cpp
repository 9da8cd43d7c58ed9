// Entry point: the main window, or a headless command-line sub-command.
#include "app/Commands.h"
#include "app/GuiMain.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace {
bool isHeadlessCommand(const char* word) {
    return std::strcmp(word, "render") == 0 || std::strcmp(word, "convert") == 0 ||
           std::strcmp(word, "info") == 0;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--version") == 0)) {
        std::printf("lumatoy %s\n", LUMATOY_VERSION);
        return 0;
    }
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("%s", qPrintable(usageText()));
        return 0;
    }
    if (argc > 1 && isHeadlessCommand(argv[1])) {
        // No display needed: fonts come from the offscreen platform, GL from EGL.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const QStringList args = app.arguments().mid(2);
        const QString command = QString::fromLocal8Bit(argv[1]);
        if (command == "render") return runRenderCommand(args);
        std::fprintf(stderr, "lumatoy: %s is not available in this build.\n", argv[1]);
        return 1;
    }
    return runGui(argc, argv);
}
