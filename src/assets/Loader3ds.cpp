// The 3DS import: file, splash sequence, chunk parse, and the loader's messages.
#include "assets/Loader3ds.h"

#include "assets/AssetPaths.h"
#include "assets/Parser3ds.h"
#include "platform/Platform.h"
#include "platform/WholeFile.h"

#include <QFileInfo>

namespace {
// Process-wide on purpose: the splash waits of an import spin the event loop, which may paint any
// window, and the paint asks whether some import is under way whichever scene started it.
int g_importsRunning = 0;

// Counts an import for as long as it runs, whichever way it returns.
struct ImportRunning {
    ImportRunning() { ++g_importsRunning; }
    ~ImportRunning() { --g_importsRunning; }
    ImportRunning(const ImportRunning&) = delete;
    ImportRunning& operator=(const ImportRunning&) = delete;
};
} // namespace

bool Loader3ds::importRunning() {
    return g_importsRunning > 0;
}

bool Loader3ds::import3ds(Model3ds& model, const char* path) {
    return import3ds(model, QString::fromLocal8Bit(path));
}

bool Loader3ds::holdsUnchanged(const QString& path) const {
    if (loadedFile_.isEmpty()) return false;
    const QFileInfo info(resolveAssetFile(path));
    return info.exists() && info.canonicalFilePath() == loadedFile_ && info.size() == loadedSize_ &&
           info.lastModified() == loadedModified_;
}

bool Loader3ds::import3ds(Model3ds& model, const QString& path) {
    const ImportRunning running;
    const FileInHand concerning(path); // the version warning does not name the file
    const QString file = resolveAssetFile(path);
    // The loader's messages say the load failed; the model the slot had stays, hence a warning.
    // Only a regular file of a bounded size is read: a device or a FIFO is named as such.
    QByteArray bytes;
    QString why;
    if (!readWholeFile(file, kMaxModelBytes, bytes, &why)) {
        platform().inform(QFileInfo::exists(file)
                              ? QStringLiteral("Unable to read the file: %1 (%2)!").arg(path, why)
                              : QStringLiteral("Unable to find the file: %1!").arg(path),
                          QStringLiteral("Error"), MessageIcon::Warning);
        return false;
    }
    const QFileInfo info(file);

    Platform& p = platform();
    p.showSplash(QStringLiteral("Please Wait:"));
    p.wait(kSplashStepMs);
    p.setSplashText(path);
    p.wait(kSplashStepMs);
    p.setSplashText(QStringLiteral("Is Now Loading"));
    p.wait(kSplashStepMs);

    const Parse3dsReport report =
        parse3ds(model, reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (!report.primary) {
        p.inform(QStringLiteral("Unable to load PRIMARY chuck from file: %1!").arg(path),
                 QStringLiteral("Error"), MessageIcon::Warning);
        p.hideSplash();
        return false;
    }
    for (int i = 0; i < report.versionWarnings; ++i)
        p.inform(QStringLiteral("This 3DS file is over version 3 so it may load incorrectly"),
                 QStringLiteral("Warning"), MessageIcon::Warning);
    p.hideSplash();
    loadedFile_ = info.canonicalFilePath();
    loadedSize_ = bytes.size();
    loadedModified_ = info.lastModified();
    return true;
}
