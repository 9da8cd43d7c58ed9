// Sequence files as data: parsing with checks, and writing.
#include "timeline/SequenceFile.h"

#include "scene/TimelineBlock.h"
#include "timeline/SequenceArchive.h"

#include <QFile>

#include <cmath>

bool itemPresent(int item, float version) {
    return version >= headerItems()[item].minVersion;
}

bool slotPresent(int slot, float version) {
    return version >= keySlots()[slot].minVersion;
}

namespace {

// A count with thousands separators ("19,999").
QString number(qint64 n) {
    QString digits = QString::number(n < 0 ? -n : n);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

// A format version some writer could have written: 1 to 99.9, with at most one decimal.
bool plausibleVersion(float version) {
    if (!(version >= 1.0f && version < 100.0f)) return false;
    const double tenths = double(version) * 10.0;
    return std::fabs(tenths - std::round(tenths)) < 1e-3;
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) > 127) return false;
    return true;
}

// Whether the bytes are a file name the system's encoding decodes and encodes back unchanged.
bool isUtf8FileName(const QByteArray& bytes) {
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

QString whereEnded(int item, int key) {
    if (key > 0) return QStringLiteral("in key %1 of its key records").arg(key);
    return QStringLiteral("at item %1 of its header").arg(item);
}

QString tooLongMessage(const HeaderItem& item, qint64 length) {
    const QString what = item.maxLength == kMaxTextLength ? QStringLiteral("its 3D text")
                         : item.maxLength == kMaxPathLength
                             ? QStringLiteral("its path \"%1\"").arg(QLatin1String(item.id))
                             : QStringLiteral("its text \"%1\"").arg(QLatin1String(item.id));
    return QStringLiteral("%1 is %2 characters long; at most %3 are allowed.")
        .arg(what, number(length), number(item.maxLength));
}

// Reading a sequence file, part by part; each part returns false with `error` set.
class SequenceParser {
  public:
    SequenceParser(const QByteArray& bytes, SequenceRecord& record, QString& error)
        : in_(bytes), record_(record), error_(error) {}

    bool readVersion() {
        const std::optional<float> version = in_.readFloat();
        if (!version) return endedEarly(kItemVersion, 0);
        if (!(*version >= 1.0f && *version < 7.0f)) {
            if (!plausibleVersion(*version))
                error_ = QStringLiteral("It is not a Lumatoy sequence file.");
            else
                error_ =
                    QStringLiteral("Its format version %1 is not one this program reads (1 to 6).")
                        .arg(static_cast<double>(*version));
            return false;
        }
        version_ = *version;
        record_.items[kItemVersion].f = version_;
        return true;
    }

    // The header items after the version that the file's version holds.
    bool readHeader() {
        for (int n = kItemVersion + 1; n <= kHeaderItemCount; ++n)
            if (itemPresent(n, version_) && !readItem(n)) return false;
        return true;
    }

    bool readKeys() {
        const std::int32_t keyCount = record_.items[kItemKeyCount].i;
        if (keyCount < 0 || keyCount > kMaxKeyCount) {
            error_ = QStringLiteral("It holds %1 keys; a sequence holds at most %2.")
                         .arg(number(keyCount), number(kMaxKeyCount));
            return false;
        }
        // A count the file cannot hold ends early, in the key where the data runs out, without
        // reserving room for it.
        qint64 recordBytes = 4;
        for (int s = 0; s < kKeySlotCount; ++s)
            if (slotPresent(s, version_)) recordBytes += 4;
        if (in_.remaining() < qint64(keyCount) * recordBytes)
            return endedEarly(0, static_cast<int>(in_.remaining() / recordBytes) + 1);
        record_.keys.resize(static_cast<size_t>(keyCount));
        for (int k = 0; k < keyCount; ++k)
            if (!readKey(k, record_.keys[static_cast<size_t>(k)])) return false;
        return true;
    }

  private:
    bool endedEarly(int item, int key) {
        error_ = QStringLiteral("The file ends early, %1.").arg(whereEnded(item, key));
        return false;
    }

    bool readItem(int n) {
        const HeaderItem& item = headerItems()[n];
        SequenceItem& value = record_.items[n];
        switch (item.kind) {
        case ItemKind::Float: {
            const std::optional<float> f = in_.readFloat();
            if (!f) return endedEarly(n, 0);
            value.f = *f;
            return true;
        }
        case ItemKind::Int: {
            const std::optional<std::int32_t> i = in_.readInt();
            if (!i) return endedEarly(n, 0);
            value.i = *i;
            return true;
        }
        case ItemKind::String: {
            std::optional<QByteArray> s = in_.readString(
                item.maxLength, item.maxLength == kMaxPathLength ? ArchiveReader::Wide::FileName
                                                                 : ArchiveReader::Wide::Narrowed);
            if (s) {
                value.s = *s;
                return true;
            }
            if (!in_.tooLong()) return endedEarly(n, 0);
            error_ = tooLongMessage(item, *in_.tooLong());
            return false;
        }
        }
        return true;
    }

    // Key `k` (from 0): its frame, then a value for each slot the version holds.
    bool readKey(int k, SequenceKey& key) {
        const std::optional<std::int32_t> frame = in_.readInt();
        if (!frame) return endedEarly(0, k + 1);
        if (*frame < 1 || *frame >= kTimelineFrames) {
            error_ = QStringLiteral("Key %1 is at frame %2; key frames must lie between 1 and %3.")
                         .arg(k + 1)
                         .arg(*frame)
                         .arg(number(kTimelineFrames - 1));
            return false;
        }
        key.frame = *frame;
        for (int s = 0; s < kKeySlotCount; ++s) {
            if (!slotPresent(s, version_)) continue;
            const std::optional<float> f = in_.readFloat();
            if (!f) return endedEarly(0, k + 1);
            key.values[static_cast<size_t>(s)] = *f;
        }
        return true;
    }

    ArchiveReader in_;
    SequenceRecord& record_;
    QString& error_;
    float version_ = 0;
};

} // namespace

bool parseSequence(const QByteArray& bytes, SequenceRecord& record, QString& error) {
    record = SequenceRecord{};
    SequenceParser parser(bytes, record, error);
    if (!parser.readVersion() || !parser.readHeader() || !parser.readKeys()) return false;
    // Whatever follows the last key is not part of the sequence: the reader stops here.
    error.clear();
    return true;
}

bool looksLikeSequenceFile(const QByteArray& bytes) {
    ArchiveReader in(bytes);
    const std::optional<float> version = in.readFloat();
    return version && plausibleVersion(*version);
}

QByteArray serializeSequence(const SequenceRecord& record) {
    ArchiveWriter out;
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 1; n <= kHeaderItemCount; ++n) {
        const SequenceItem& value = record.items[n];
        switch (layout[n].kind) {
        case ItemKind::Float:
            out.writeFloat(n == kItemVersion ? kSequenceFormatVersion : value.f);
            break;
        case ItemKind::Int:
            out.writeInt(n == kItemKeyCount ? static_cast<std::int32_t>(record.keys.size())
                                            : value.i);
            break;
        case ItemKind::String:
            // A path in the system's encoding that single bytes cannot hold as it is (any byte
            // above 127) goes in the wide form, which keeps every character.
            if (layout[n].maxLength == kMaxPathLength && !isAscii(value.s) &&
                isUtf8FileName(value.s))
                out.writeWideString(QFile::decodeName(value.s));
            else
                out.writeString(value.s);
            break;
        }
    }
    for (const SequenceKey& key : record.keys) {
        out.writeInt(key.frame);
        for (float value : key.values)
            out.writeFloat(value);
    }
    return out.bytes();
}
