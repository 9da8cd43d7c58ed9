// Command-line work on sequence files.
#include "cli/SequenceCommands.h"

#include "platform/WholeFile.h"
#include "timeline/SequenceJson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

void print(std::FILE* f, const QString& text) {
    std::fputs(text.toUtf8().constData(), f);
}

bool readWhole(const QString& path, qint64 maxBytes, QByteArray& bytes, QString& error) {
    QString reason;
    if (readWholeFile(path, maxBytes, bytes, &reason)) return true;
    error = QStringLiteral("Cannot open \"%1\": %2.").arg(path, reason);
    return false;
}

// Why a file was refused: a sequence file's fault, or that it is no sequence file at all.
QString refusal(const QString& path, const QByteArray& bytes, const QString& problem,
                bool json = false) {
    if (!json && !looksLikeSequenceFile(bytes))
        return QStringLiteral("\"%1\" is not a Lumatoy sequence file.").arg(path);
    return QStringLiteral("\"%1\" cannot be read. %2").arg(path, problem);
}

bool readRecord(const QString& path, SequenceRecord& record, QString& error) {
    QByteArray bytes;
    const bool json =
        QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
    if (!readWhole(path, json ? kMaxSequenceJsonBytes : kMaxSequenceBytes, bytes, error))
        return false;
    QString problem;
    if (json ? sequenceFromJson(bytes, record, problem) : parseSequence(bytes, record, problem))
        return true;
    error = refusal(path, bytes, problem, json);
    return false;
}

int itemNumber(const char* id) {
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(headerItems()[n].id, id) == 0) return n;
    return 0;
}

bool isOn(const SequenceRecord& r, const char* id) {
    const int n = itemNumber(id);
    return itemPresent(n, r.version()) && r.items[n].f >= 2.0f;
}

QString text(const SequenceRecord& r, const char* id) {
    const int n = itemNumber(id);
    if (!itemPresent(n, r.version())) return {};
    const std::vector<HeaderItem>& layout = headerItems();
    QByteArray s = r.items[n].s;
    // Texture paths are cut to the length stored beside them.
    for (int m : {n - 1, n + 1})
        if (m >= 1 && m <= kHeaderItemCount && layout[m].lengthOf == n && r.items[m].f >= 0 &&
            r.items[m].f < float(s.size()))
            s.truncate(static_cast<qsizetype>(r.items[m].f));
    // A path is named as the system names files; other text is single-byte characters.
    if (layout[n].maxLength == kMaxPathLength && QFile::encodeName(QFile::decodeName(s)) == s)
        return QFile::decodeName(s);
    return QString::fromLatin1(s);
}

// The layer switches and the asset paths a description names, each with its header item.
const std::pair<const char*, const char*> kLayerSwitches[] = {{"text", "text.on"},
                                                              {"stars", "stars.on"},
                                                              {"particles", "particles.on"},
                                                              {"fire", "fire.on"},
                                                              {"tunnel", "tunnel.on"},
                                                              {"tiles", "tiles.on"},
                                                              {"radialBlur", "blur.radial.on"},
                                                              {"model1", "model1.on"},
                                                              {"model2", "model2.on"},
                                                              {"model3", "model3.on"},
                                                              {"pictures", "pictures.on"}};
const std::pair<const char*, const char*> kAssetPaths[] = {
    {"textTexture", "text.texturePath"},
    {"starTexture", "stars.texturePath"},
    {"particleTexture", "particles.texturePath"},
    {"fireTexture", "fire.texturePath"},
    {"tunnelTexture", "tunnel.texturePath"},
    {"tileTexture1", "tile1.texturePath"},
    {"tileTexture2", "tile2.texturePath"},
    {"model1", "model1.path"},
    {"model1Texture", "model1.texturePath"},
    {"model2", "model2.path"},
    {"model2Texture", "model2.texturePath"},
    {"model3", "model3.path"},
    {"model3Texture", "model3.texturePath"},
    {"picture1", "pictures.path1"},
    {"picture2", "pictures.path2"}};

// The timeline is the sum of the segments from key to key, backward ones included: the last
// key's frame.
int timelineLength(const SequenceRecord& r) {
    return r.keys.empty() ? 0 : r.keys.back().frame;
}

QJsonObject describeAsJson(const SequenceRecord& r) {
    QJsonArray frames;
    for (const SequenceKey& key : r.keys)
        frames.append(key.frame);
    QJsonObject o;
    o.insert("version", double(r.version()));
    o.insert("keyCount", int(r.keys.size()));
    o.insert("keyFrames", frames);
    o.insert("timelineLength", timelineLength(r));
    QJsonObject on;
    for (const auto& [name, id] : kLayerSwitches)
        on.insert(name, isOn(r, id));
    o.insert("layers", on);
    o.insert("text", text(r, "text.string"));
    o.insert("font", text(r, "text.font.face"));
    QJsonObject paths;
    for (const auto& [name, id] : kAssetPaths)
        if (itemPresent(itemNumber(id), r.version())) paths.insert(name, text(r, id));
    o.insert("assets", paths);
    return o;
}

// "a, b, c", or "none".
QString listOrNone(const QStringList& list) {
    return list.isEmpty() ? QStringLiteral("none") : list.join(", ");
}

QString describeAsText(const QString& path, const SequenceRecord& r) {
    QStringList frameList;
    for (const SequenceKey& key : r.keys)
        frameList << QString::number(key.frame);
    QString report;
    report += QStringLiteral("Sequence file: %1\n").arg(path);
    report += QStringLiteral("Version: %1\n").arg(double(r.version()));
    report += QStringLiteral("Keys: %1\n").arg(r.keys.size());
    report += QStringLiteral("Key frames: %1\n").arg(listOrNone(frameList));
    report += QStringLiteral("Timeline length: %1 frames\n").arg(timelineLength(r));
    QStringList onLayers, offLayers;
    for (const auto& [name, id] : kLayerSwitches)
        (isOn(r, id) ? onLayers : offLayers) << name;
    report += QStringLiteral("Layers on: %1\n").arg(listOrNone(onLayers));
    report += QStringLiteral("Layers off: %1\n").arg(listOrNone(offLayers));
    QString shown = text(r, "text.string");
    shown.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    report += QStringLiteral("Text: \"%1\"\n").arg(shown);
    const int weight = r.items[itemNumber("text.font.weight")].i;
    const bool italic = r.items[itemNumber("text.font.italic")].i != 0;
    report += QStringLiteral("Font: %1, weight %2%3\n")
                  .arg(text(r, "text.font.face"))
                  .arg(weight)
                  .arg(italic ? QStringLiteral(", italic") : QString());
    report += QStringLiteral("Assets:\n");
    for (const auto& [name, id] : kAssetPaths)
        if (itemPresent(itemNumber(id), r.version()))
            report += QStringLiteral("  %1: %2\n").arg(QLatin1String(name), text(r, id));
    return report;
}

} // namespace

int runConvertCommand(const QStringList& args, std::FILE* err) {
    auto kind = [](const QString& path) { return QFileInfo(path).suffix().toLower(); };
    if (args.size() != 2 || !QStringList{"lmt", "json"}.contains(kind(args[0])) ||
        !QStringList{"lmt", "json"}.contains(kind(args[1]))) {
        print(err, QStringLiteral("usage: lumatoy convert IN OUT   (each a .lmt or .json file)\n"));
        return 2;
    }
    SequenceRecord record;
    QString error;
    if (!readRecord(args[0], record, error)) {
        print(err, error + QLatin1Char('\n'));
        return 1;
    }
    const QByteArray bytes =
        kind(args[1]) == QLatin1String("json") ? sequenceToJson(record) : serializeSequence(record);
    QString reason;
    if (!writeWholeFile(args[1], bytes, &reason)) {
        print(err, QStringLiteral("Cannot write \"%1\": %2.\n").arg(args[1], reason));
        return 1;
    }
    return 0;
}

int describeSequence(const QString& path, bool json, std::FILE* out, std::FILE* err) {
    SequenceRecord r;
    QByteArray bytes;
    QString error;
    if (!readWhole(path, kMaxSequenceBytes, bytes, error)) {
        print(err, error + QLatin1Char('\n'));
        return 1;
    }
    if (!parseSequence(bytes, r, error)) {
        print(err, refusal(path, bytes, error) + QLatin1Char('\n'));
        return 1;
    }

    if (json)
        std::fputs(QJsonDocument(describeAsJson(r)).toJson(QJsonDocument::Indented).constData(),
                   out);
    else
        print(out, describeAsText(path, r));
    return 0;
}
