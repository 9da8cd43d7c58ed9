// The byte stream of sequence files.
#include "timeline/SequenceArchive.h"

#include <QFile>
#include <QString>
#include <QtEndian>
#include <cstring>

void ArchiveWriter::writeFloat(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeInt(static_cast<std::int32_t>(bits));
}

void ArchiveWriter::writeInt(std::int32_t value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes_.append(raw, 4);
}

void ArchiveWriter::writeString(const QByteArray& text) {
    const qint64 length = text.size();
    if (length < 0xFF) {
        bytes_.append(static_cast<char>(length));
    } else if (length < 0xFFFE) {
        char raw[2];
        qToLittleEndian(static_cast<std::uint16_t>(length), raw);
        bytes_.append(static_cast<char>(0xFF));
        bytes_.append(raw, 2);
    } else {
        char raw[4];
        qToLittleEndian(static_cast<std::uint32_t>(length), raw);
        bytes_.append("\xFF\xFF\xFF", 3);
        bytes_.append(raw, 4);
    }
    bytes_.append(text);
}

void ArchiveWriter::writeWideString(const QString& text) {
    const qint64 length = text.size();
    bytes_.append("\xFF\xFE\xFF", 3);
    char raw[4];
    if (length < 0xFF) {
        bytes_.append(static_cast<char>(length));
    } else if (length < 0xFFFF) {
        qToLittleEndian(static_cast<std::uint16_t>(length), raw);
        bytes_.append(static_cast<char>(0xFF));
        bytes_.append(raw, 2);
    } else {
        qToLittleEndian(static_cast<std::uint32_t>(length), raw);
        bytes_.append("\xFF\xFF\xFF", 3);
        bytes_.append(raw, 4);
    }
    for (QChar c : text) {
        qToLittleEndian(c.unicode(), raw);
        bytes_.append(raw, 2);
    }
}

bool ArchiveReader::take(void* out, qint64 count) {
    if (remaining() < count) {
        endedEarly_ = true;
        return false;
    }
    std::memcpy(out, data_.constData() + pos_, static_cast<size_t>(count));
    pos_ += count;
    return true;
}

std::optional<float> ArchiveReader::readFloat() {
    std::optional<std::int32_t> bits = readInt();
    if (!bits) return std::nullopt;
    float value;
    std::memcpy(&value, &*bits, sizeof value);
    return value;
}

std::optional<std::int32_t> ArchiveReader::readInt() {
    unsigned char raw[4];
    if (!take(raw, 4)) return std::nullopt;
    return qFromLittleEndian<std::int32_t>(raw);
}

// The length prefix after an optional wide marker: one byte below 0xFF, else a 16-bit length
// below 0xFFFF, else a 32-bit length.
std::optional<qint64> ArchiveReader::readLength() {
    unsigned char byte;
    if (!take(&byte, 1)) return std::nullopt;
    if (byte < 0xFF) return byte;
    unsigned char raw[4];
    if (!take(raw, 2)) return std::nullopt;
    const std::uint16_t word = qFromLittleEndian<std::uint16_t>(raw);
    if (word < 0xFFFF) return word;
    if (!take(raw, 4)) return std::nullopt;
    return qFromLittleEndian<std::uint32_t>(raw);
}

std::optional<QByteArray> ArchiveReader::readString(qint64 maxLength, Wide wideAs) {
    tooLong_.reset();
    unsigned char byte;
    if (!take(&byte, 1)) return std::nullopt;
    qint64 length = byte;
    bool wide = false;
    if (byte == 0xFF) {
        unsigned char raw[4];
        if (!take(raw, 2)) return std::nullopt;
        const std::uint16_t word = qFromLittleEndian<std::uint16_t>(raw);
        if (word == 0xFFFE) {
            wide = true;
            std::optional<qint64> wideLength = readLength();
            if (!wideLength) return std::nullopt;
            length = *wideLength;
        } else if (word < 0xFFFF) {
            length = word;
        } else {
            if (!take(raw, 4)) return std::nullopt;
            length = qFromLittleEndian<std::uint32_t>(raw);
        }
    }
    if (length > maxLength) {
        tooLong_ = length;
        return std::nullopt;
    }
    const qint64 byteCount = wide ? length * 2 : length;
    if (remaining() < byteCount) {
        endedEarly_ = true;
        return std::nullopt;
    }
    QByteArray text;
    if (!wide) {
        text = data_.mid(pos_, length);
    } else if (wideAs == Wide::FileName) {
        QString name(length, Qt::Uninitialized);
        const auto* units = reinterpret_cast<const unsigned char*>(data_.constData() + pos_);
        for (qint64 i = 0; i < length; ++i)
            name[i] = QChar(qFromLittleEndian<std::uint16_t>(units + 2 * i));
        text = QFile::encodeName(name);
    } else {
        text.resize(length);
        const auto* units = reinterpret_cast<const unsigned char*>(data_.constData() + pos_);
        for (qint64 i = 0; i < length; ++i) {
            const std::uint16_t unit = qFromLittleEndian<std::uint16_t>(units + 2 * i);
            text[i] = unit <= 0xFF ? static_cast<char>(unit) : '?';
        }
    }
    pos_ += byteCount;
    return text;
}
