// Entry point: the main window, or a headless command-line sub-command.
#include "app/GuiMain.h"
#include "cli/Commands.h"
#include "cli/FarmCommands.h"
#include "cli/InfoCommand.h"
#include "cli/SequenceCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
// Qt wants a private runtime folder and complains on every run without one; headless machines
// often have none.
void provideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QString folder =
        QDir::temp().filePath(QStringLiteral("lumatoy-runtime-%1").arg(getuid()));
    QDir().mkpath(folder);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}

bool isHeadlessCommand(const char* word) {
    return std::strcmp(word, "render") == 0 || std::strcmp(word, "convert") == 0 ||
           std::strcmp(word, "info") == 0 || std::strcmp(word, "join") == 0;
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
        provideRuntimeFolder();
        QGuiApplication app(argc, argv);
        // What the core reports (a missing model or texture, say) goes to stderr: the console
        // platform is in force until the window installs its own.
        const QStringList args = app.arguments().mid(2);
        const QString command = QString::fromLocal8Bit(argv[1]);
        if (command == "render") return runRenderCommand(args);
        if (command == "convert") return runConvertCommand(args);
        if (command == "join") return runJoinCommand(args);
        return runInfoCommand(args);
    }
    return runGui(argc, argv);
}
