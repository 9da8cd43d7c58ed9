// Writes the program's icon into a folder: lumatoy.svg and lumatoy-48.png, -128.png, -256.png.
#include "AppIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    bool ok = true;
    QFile svg(folder.filePath(QStringLiteral("lumatoy.svg")));
    const QByteArray text = appIconSvg();
    ok &= svg.open(QIODevice::WriteOnly) && svg.write(text) == text.size();
    svg.close();
    for (int size : {48, 128, 256})
        ok &= appIconImage(size).save(folder.filePath(QStringLiteral("lumatoy-%1.png").arg(size)));
    if (!ok) std::fprintf(stderr, "cannot write the icon into %s\n", argv[1]);
    return ok ? 0 : 1;
}
