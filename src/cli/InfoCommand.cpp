// The info sub-command: the kind of file from its content, then the description of that kind.
#include "cli/InfoCommand.h"

#include "assets/AssetInfo.h"
#include "cli/SequenceCommands.h"
#include "platform/WholeFile.h"
#include "scene/SequenceFormatVersion.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstring>

namespace {

void print(std::FILE* f, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), f);
}

// A sequence file starts with its format version, a little-endian float of 1 to the version
// this program writes.
bool looksSequence(const QByteArray& head) {
    if (head.size() < 4) return false;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = bits << 8 | std::uint8_t(head[i]);
    float version = 0;
    std::memcpy(&version, &bits, sizeof version);
    return version >= 1.0f && version <= kSequenceFormatVersion;
}

bool looksPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}

} // namespace

int runInfoCommand(const QStringList& args, std::FILE* out, std::FILE* err) {
    QString path;
    bool json = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (path.isEmpty())
            path = a;
        else {
            print(err, "usage: lumatoy info FILE [--json]\n");
            return 2;
        }
    }
    if (path.isEmpty()) {
        print(err, "usage: lumatoy info FILE [--json]\n");
        return 2;
    }
    // A folder, device, FIFO or socket is no file of any kind read here (and must not block).
    QByteArray head;
    QString why;
    if (!readFileHead(path, 32, head, &why) && QFileInfo::exists(path)) {
        print(err, QStringLiteral("Cannot read \"%1\": %2.\n").arg(path, why));
        return 1;
    }
    if (looks3ds(head)) return describe3ds(path, json, out, err);
    if (looksSequence(head)) return describeSequence(path, json, out, err);
    if (looksTga(head)) return describeTga(path, json, out, err);
    if (looksPicture(path)) return describePicture(path, json, out, err);
    // A file that is missing or none of these: the loader its name points to says why.
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("3ds")) return describe3ds(path, json, out, err);
    // A JSON sequence is not described (convert it first): it is called no sequence file, not
    // an unreadable picture.
    if (suffix == QLatin1String("lmt") || suffix == QLatin1String("json"))
        return describeSequence(path, json, out, err);
    if (suffix == QLatin1String("tga")) return describeTga(path, json, out, err);
    return describePicture(path, json, out, err);
}
