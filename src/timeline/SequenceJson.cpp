// The JSON text form of sequence files.
#include "timeline/SequenceJson.h"

#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceScene.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {

const char* const kFormatName = "Lumatoy sequence";

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The shortest text that reads back as exactly this float; non-finite values and negative zero
// as strings.
QByteArray floatText(float f) {
    if (std::isnan(f) || std::isinf(f)) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        if (std::isinf(f)) return f > 0 ? "\"inf\"" : "\"-inf\"";
        return "\"nan:0x" + QByteArray::number(bits, 16) + "\"";
    }
    // JSON readers drop the sign of a zero number.
    if (f == 0.0f && std::signbit(f)) return "\"-0\"";
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, f);
    QByteArray text(buffer, end - buffer);
    if (ec != std::errc() || !sameBits(float(std::strtod(text.constData(), nullptr)), f)) {
        std::snprintf(buffer, sizeof buffer, "%.9g", double(f));
        text = buffer;
    }
    return text;
}

// A JSON string of any text (paths may hold any character).
QByteArray quoted(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray stringText(const QByteArray& latin1) {
    return quoted(QString::fromLatin1(latin1));
}

// A path in the system's encoding as its characters; bytes it cannot decode as single bytes.
QByteArray pathText(const QByteArray& path) {
    const QString name = QFile::decodeName(path);
    return quoted(QFile::encodeName(name) == path ? name : QString::fromLatin1(path));
}

// Writes JSON by hand so that names keep the file's order.
class JsonWriter {
  public:
    QByteArray text;

    void open(const char* name, char bracket) {
        member(name);
        text += bracket;
        ++depth_;
        first_ = true;
    }
    void close(char bracket) {
        --depth_;
        newline();
        text += bracket;
        first_ = false;
    }
    void openElement() { // an object inside an array
        separator();
        newline();
        text += '{';
        ++depth_;
        first_ = true;
    }
    void value(const char* name, const QByteArray& raw) {
        member(name);
        text += raw;
    }

  private:
    void separator() {
        if (!first_) text += ',';
        first_ = false;
    }
    void newline() {
        text += '\n';
        text += QByteArray(2 * depth_, ' ');
    }
    void member(const char* name) {
        if (depth_ == 0) {
            text += '{';
            ++depth_;
            first_ = true;
        }
        separator();
        newline();
        if (name) text += stringText(name) + ": ";
    }
    int depth_ = 0;
    bool first_ = true;
};

// The value each keyable parameter takes from a key: its last slot present in the version.
std::map<int, int> lastSlots(float version) {
    std::map<int, int> last;
    const std::vector<KeySlot>& layout = keySlots();
    for (int s = 0; s < kKeySlotCount; ++s)
        if (slotPresent(s, version)) last[layout[s].keyable] = s;
    return last;
}

// Keyables in the order their first slot appears.
std::vector<int> slotOrder(float version) {
    std::vector<int> order;
    std::vector<bool> seen(size_t(keyableCount()), false);
    for (int s = 0; s < kKeySlotCount; ++s) {
        const int p = keySlots()[s].keyable;
        if (!slotPresent(s, version) || seen[p]) continue;
        seen[p] = true;
        order.push_back(p);
    }
    return order;
}

// Whether header item n carries nothing the writer would not put there anyway.
bool itemIsImplied(const SequenceRecord& r, int n) {
    const HeaderItem& item = headerItems()[n];
    if (n == kItemReserved) return r.items[n].i == 1;
    if (item.lengthOf > 0) return sameBits(r.items[n].f, float(r.items[item.lengthOf].s.size()));
    if (item.repeats > 0) {
        const SequenceItem& a = r.items[n];
        const SequenceItem& b = r.items[item.repeats];
        return item.kind == ItemKind::Float ? sameBits(a.f, b.f) : a.i == b.i && a.s == b.s;
    }
    return false;
}

} // namespace

QByteArray sequenceToJson(const SequenceRecord& r) {
    const float version = r.version();
    const std::vector<HeaderItem>& layout = headerItems();
    JsonWriter out;
    out.value("format", stringText(kFormatName));
    out.value("version", floatText(version));
    if (!r.soundtrack.isEmpty()) out.value("soundtrack", quoted(r.soundtrack));

    out.open("header", '{');
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        const HeaderItem& item = layout[n];
        if (n == kItemKeyCount || item.keyable >= 0 || !itemPresent(n, version) ||
            itemIsImplied(r, n))
            continue;
        const SequenceItem& value = r.items[n];
        switch (item.kind) {
        case ItemKind::Float:
            out.value(item.id, floatText(value.f));
            break;
        case ItemKind::Int:
            out.value(item.id, QByteArray::number(value.i));
            break;
        case ItemKind::String:
            out.value(item.id,
                      item.maxLength == kMaxPathLength ? pathText(value.s) : stringText(value.s));
            break;
        }
    }
    out.close('}');

    out.open("startValues", '{');
    for (int n = 2; n <= kHeaderItemCount; ++n)
        if (layout[n].keyable >= 0 && itemPresent(n, version))
            out.value(layout[n].id, floatText(r.items[n].f));
    out.close('}');

    const std::map<int, int> last = lastSlots(version);
    const std::vector<int> order = slotOrder(version);
    out.open("keys", '[');
    for (const SequenceKey& key : r.keys) {
        out.openElement();
        out.value("frame", QByteArray::number(key.frame));
        out.open("values", '{');
        for (int p : order)
            out.value(keyableParams()[size_t(p)].id.c_str(),
                      floatText(key.values[size_t(last.at(p))]));
        out.close('}');
        std::vector<int> differing;
        for (int s = 0; s < kKeySlotCount; ++s) {
            const int p = keySlots()[s].keyable;
            if (slotPresent(s, version) &&
                !sameBits(key.values[size_t(s)], key.values[size_t(last.at(p))]))
                differing.push_back(s);
        }
        if (!differing.empty()) {
            out.open("slots", '{');
            for (int s : differing)
                out.value(QByteArray::number(s + 1).constData(), floatText(key.values[size_t(s)]));
            out.close('}');
        }
        out.close('}');
    }
    out.close(']');
    out.close('}');
    out.text += '\n';
    return out.text;
}

namespace {

// Why a number cannot be held in single precision without turning into infinity or 0, or an
// empty text when it can.
QString floatRangeFault(const QJsonValue& value) {
    if (!value.isDouble()) return {};
    const double d = value.toDouble();
    if (std::isinf(static_cast<float>(d)))
        return QStringLiteral("is beyond the range of a single-precision number (%1)").arg(d);
    if (d != 0.0 && static_cast<float>(d) == 0.0f)
        return QStringLiteral("is too small for a single-precision number and would become 0 (%1)")
            .arg(d);
    return {};
}

bool readFloat(const QJsonValue& value, float& f) {
    if (value.isDouble()) {
        if (!floatRangeFault(value).isEmpty()) return false;
        f = static_cast<float>(value.toDouble());
        return true;
    }
    const QString text = value.toString();
    if (text == QLatin1String("-0")) {
        f = -0.0f;
        return true;
    }
    if (text == QLatin1String("inf") || text == QLatin1String("-inf")) {
        f = text.startsWith('-') ? -INFINITY : INFINITY;
        return true;
    }
    if (text.startsWith(QLatin1String("nan:0x"))) {
        bool ok = false;
        const std::uint32_t bits = text.mid(6).toUInt(&ok, 16);
        std::memcpy(&f, &bits, sizeof f);
        return ok && std::isnan(f);
    }
    return false;
}

bool readInt(const QJsonValue& value, std::int32_t& i) {
    if (!value.isDouble()) return false;
    const double d = value.toDouble();
    if (d != std::trunc(d) || d < -2147483648.0 || d > 2147483647.0) return false;
    i = static_cast<std::int32_t>(d);
    return true;
}

bool readString(const QJsonValue& value, QByteArray& s, bool fileName) {
    if (!value.isString()) return false;
    // A path may hold any character: it is kept as the system names files.
    if (fileName) {
        s = QFile::encodeName(value.toString());
        return true;
    }
    const QString text = value.toString();
    for (QChar c : text)
        if (c.unicode() > 0xFF) return false;
    s = text.toLatin1();
    return true;
}

// The record a new scene would write: the values of items the text leaves out.
const SequenceRecord& defaultRecord() {
    static const SequenceRecord record = [] {
        // What makeScene() (start-up, a folder above this one) does, written out here.
        auto scene = std::make_unique<CZoetraView>();
        captureStartValues(*scene);
        return captureSequence(*scene);
    }();
    return record;
}

QString kindName(ItemKind kind) {
    return kind == ItemKind::Float ? QStringLiteral("a number")
           : kind == ItemKind::Int ? QStringLiteral("a whole number")
                                   : QStringLiteral("a text of single-byte characters");
}

// The top level: an object in this format, with known names only, of a version this program
// reads.
bool readTopLevel(const QJsonDocument& doc, const QJsonParseError& parseError, QJsonObject& root,
                  float& version, QString& error) {
    if (!doc.isObject()) {
        error = parseError.error != QJsonParseError::NoError
                    ? QStringLiteral("Not valid JSON: %1 (at character %2).")
                          .arg(parseError.errorString())
                          .arg(parseError.offset)
                    : QStringLiteral("The JSON text is not an object.");
        return false;
    }
    root = doc.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName)) {
        error = QStringLiteral("The JSON text is not a Lumatoy sequence (\"format\" should be "
                               "\"%1\").")
                    .arg(QLatin1String(kFormatName));
        return false;
    }
    for (auto it = root.begin(); it != root.end(); ++it) {
        static const QStringList known{"format",      "version", "header",
                                       "startValues", "keys",    "soundtrack"};
        if (!known.contains(it.key())) {
            error = QStringLiteral("Unknown name \"%1\" in the sequence.").arg(it.key());
            return false;
        }
    }
    if (!readFloat(root.value(QLatin1String("version")), version) || !(version >= 1.0f) ||
        !(version < 7.0f)) {
        error = QStringLiteral("\"version\" must be a format version from 1 to 6.");
        return false;
    }
    return true;
}

bool readSoundtrack(const QJsonObject& root, SequenceRecord& r, QString& error) {
    const QJsonValue soundtrack = root.value(QLatin1String("soundtrack"));
    if (soundtrack.isUndefined()) return true;
    if (!soundtrack.isString()) {
        error = QStringLiteral("\"soundtrack\" must be the path of a sound file.");
        return false;
    }
    r.soundtrack = soundtrack.toString();
    return true;
}

// The header item named `name`: a start value (keyable) in "startValues", any other item but
// the key count in "header"; 0 when there is none.
int headerItemNamed(const QString& name, bool startValues) {
    const std::vector<HeaderItem>& layout = headerItems();
    for (int m = 2; m <= kHeaderItemCount; ++m)
        if ((layout[m].keyable >= 0) == startValues && m != kItemKeyCount &&
            name == QLatin1String(layout[m].id))
            return m;
    return 0;
}

// One named value of "header" or "startValues" into its item, checked against the item's kind
// and length.
bool readItemValue(const QString& name, const QJsonValue& value, int n, SequenceItem& item,
                   QString& error) {
    const HeaderItem& place = headerItems()[n];
    const ItemKind kind = place.kind;
    const bool ok = kind == ItemKind::Float ? readFloat(value, item.f)
                    : kind == ItemKind::Int
                        ? readInt(value, item.i)
                        : readString(value, item.s, place.maxLength == kMaxPathLength);
    if (!ok) {
        const QString range = kind == ItemKind::Float ? floatRangeFault(value) : QString();
        error = range.isEmpty() ? QStringLiteral("\"%1\" must be %2.").arg(name, kindName(kind))
                                : QStringLiteral("\"%1\" %2.").arg(name, range);
        return false;
    }
    if (kind == ItemKind::String && item.s.size() > place.maxLength) {
        error =
            QStringLiteral("\"%1\" is longer than %2 characters.").arg(name).arg(place.maxLength);
        return false;
    }
    return true;
}

// The values of "header" (startValues false) or "startValues"; `given` marks the items read.
bool readItemSection(const QJsonObject& root, const char* section, bool startValues,
                     SequenceRecord& r, std::vector<bool>& given, QString& error) {
    const QJsonObject object = root.value(QLatin1String(section)).toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const int n = headerItemNamed(it.key(), startValues);
        if (!n) {
            error = QStringLiteral("Unknown name \"%1\" in \"%2\".").arg(it.key(), section);
            return false;
        }
        if (!readItemValue(it.key(), it.value(), n, r.items[n], error)) return false;
        given[size_t(n)] = true;
    }
    return true;
}

// The items the text leaves out: a repeat copies its original, a length is that of its string;
// any other item of the version must be given.
bool completeItems(SequenceRecord& r, const std::vector<bool>& given, float version,
                   QString& error) {
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        const HeaderItem& item = layout[n];
        if (given[size_t(n)] || n == kItemKeyCount || !itemPresent(n, version)) continue;
        if (n == kItemReserved) {
            r.items[n].i = 1;
        } else if (item.repeats > 0) {
            r.items[n] = r.items[item.repeats];
        } else if (item.lengthOf == 0) {
            error =
                QStringLiteral("\"%1\" is missing from \"%2\".")
                    .arg(QLatin1String(item.id), item.keyable >= 0 ? QStringLiteral("startValues")
                                                                   : QStringLiteral("header"));
            return false;
        }
    }
    for (int n = 2; n <= kHeaderItemCount; ++n)
        if (layout[n].lengthOf > 0 && !given[size_t(n)])
            r.items[n].f = float(r.items[layout[n].lengthOf].s.size());
    return true;
}

// A key's "values": every keyable value its slots of this version need, by id.
bool readKeyValues(const QJsonObject& object, const QString& where, float version, SequenceKey& key,
                   QString& error) {
    std::vector<float> values(size_t(keyableCount()), 0.0f);
    std::vector<bool> valueGiven(size_t(keyableCount()), false);
    const QJsonObject named = object.value(QLatin1String("values")).toObject();
    for (auto it = named.begin(); it != named.end(); ++it) {
        const int p = keyableIndex(it.key().toStdString());
        if (p < 0 || !readFloat(it.value(), values[size_t(p)])) {
            const QString range = p < 0 ? QString() : floatRangeFault(it.value());
            error = range.isEmpty()
                        ? QStringLiteral("\"%1\" in %2 is not a keyable value with a number.")
                              .arg(it.key(), where)
                        : QStringLiteral("\"%1\" in %2 %3.").arg(it.key(), where, range);
            return false;
        }
        valueGiven[size_t(p)] = true;
    }
    const std::vector<KeySlot>& slotLayout = keySlots();
    for (int s = 0; s < kKeySlotCount; ++s) {
        if (!slotPresent(s, version)) continue;
        const int p = slotLayout[s].keyable;
        if (!valueGiven[size_t(p)]) {
            error = QStringLiteral("\"%1\" is missing from the values of %2.")
                        .arg(QLatin1String(keyableParams()[size_t(p)].id.c_str()), where);
            return false;
        }
        key.values[size_t(s)] = values[size_t(p)];
    }
    return true;
}

// A key's "slots": values set by slot number (1 to 240) over those of its "values".
bool readSlotOverrides(const QJsonObject& object, const QString& where, SequenceKey& key,
                       QString& error) {
    const QJsonObject overrides = object.value(QLatin1String("slots")).toObject();
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        bool ok = false;
        const int s = it.key().toInt(&ok) - 1;
        if (ok && s >= 0 && s < kKeySlotCount && !floatRangeFault(it.value()).isEmpty()) {
            error = QStringLiteral("Slot \"%1\" of %2 %3.")
                        .arg(it.key(), where, floatRangeFault(it.value()));
            return false;
        }
        if (!ok || s < 0 || s >= kKeySlotCount || !readFloat(it.value(), key.values[size_t(s)])) {
            error = QStringLiteral("\"slots\" of %1 names slot \"%2\", which is not 1 to 240 "
                                   "with a number.")
                        .arg(where, it.key());
            return false;
        }
    }
    return true;
}

// Key `k` (from 0) of the list: its frame, its values, then its slot overrides.
bool readKey(const QJsonValue& value, qsizetype k, float version, SequenceKey& key,
             QString& error) {
    const QString where = QStringLiteral("key %1").arg(k + 1);
    if (!value.isObject()) {
        error = QStringLiteral("%1 must be an object with \"frame\" and \"values\".").arg(where);
        error[0] = error[0].toUpper();
        return false;
    }
    const QJsonObject object = value.toObject();
    for (const char* section : {"values", "slots"}) {
        const QJsonValue part = object.value(QLatin1String(section));
        if (!part.isUndefined() && !part.isObject()) {
            error = QStringLiteral("\"%1\" of %2 must be an object of named values.")
                        .arg(QLatin1String(section), where);
            return false;
        }
    }
    if (!readInt(object.value(QLatin1String("frame")), key.frame) || key.frame < 1 ||
        key.frame >= kTimelineFrames) {
        error = QStringLiteral("The frame of %1 must be a whole number from 1 to %2.")
                    .arg(where)
                    .arg(kTimelineFrames - 1);
        return false;
    }
    return readKeyValues(object, where, version, key, error) &&
           readSlotOverrides(object, where, key, error);
}

bool readKeyList(const QJsonObject& root, float version, SequenceRecord& r, QString& error) {
    const QJsonValue keyList = root.value(QLatin1String("keys"));
    if (!keyList.isUndefined() && !keyList.isArray()) {
        error = QStringLiteral("\"keys\" must be a list of keys (it is %1).")
                    .arg(keyList.isNull()     ? QStringLiteral("null")
                         : keyList.isString() ? QStringLiteral("a text")
                         : keyList.isDouble() ? QStringLiteral("a number")
                         : keyList.isBool()   ? QStringLiteral("true or false")
                                              : QStringLiteral("an object"));
        return false;
    }
    const QJsonArray keys = keyList.toArray();
    if (keys.size() > kMaxKeyCount) {
        error = QStringLiteral("A sequence holds at most %1 keys.").arg(kMaxKeyCount);
        return false;
    }
    r.keys.clear();
    for (qsizetype k = 0; k < keys.size(); ++k) {
        SequenceKey key;
        if (!readKey(keys[k], k, version, key, error)) return false;
        r.keys.push_back(key);
    }
    r.items[kItemKeyCount].i = static_cast<std::int32_t>(r.keys.size());
    return true;
}

} // namespace

bool sequenceFromJson(const QByteArray& json, SequenceRecord& r, QString& error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    QJsonObject root;
    float version = 0;
    if (!readTopLevel(doc, parseError, root, version, error)) return false;

    r = defaultRecord();
    r.items[kItemVersion].f = version;
    if (!readSoundtrack(root, r, error)) return false;
    for (const char* section : {"header", "startValues"}) {
        const QJsonValue value = root.value(QLatin1String(section));
        if (!value.isUndefined() && !value.isObject()) {
            error = QStringLiteral("\"%1\" must be an object of named values.")
                        .arg(QLatin1String(section));
            return false;
        }
    }
    std::vector<bool> given(kHeaderItemCount + 1, false);
    return readItemSection(root, "header", false, r, given, error) &&
           readItemSection(root, "startValues", true, r, given, error) &&
           completeItems(r, given, version, error) && readKeyList(root, version, r, error);
}
