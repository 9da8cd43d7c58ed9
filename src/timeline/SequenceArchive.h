// The byte stream of sequence files: little-endian 32-bit numbers and archive strings with their
// one-, three- or seven-byte length prefix (and, on reading, the wide-character form).
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

// Appends values to a byte array in the archive encoding.
class ArchiveWriter {
  public:
    void writeFloat(float value);
    void writeInt(std::int32_t value);
    // Single-byte characters: length < 255 in one byte; up to 65,533 as 0xFF and a 16-bit
    // length; longer as 0xFF, 0xFFFF and a 32-bit length.
    void writeString(const QByteArray& text);
    // The wide form: 0xFF, 0xFFFE, a length prefix as above, then UTF-16 little-endian units.
    void writeWideString(const QString& text);
    const QByteArray& bytes() const { return bytes_; }

  private:
    QByteArray bytes_;
};

// Reads values from a byte array. Every read is bounded by the data: a read past the end fails
// (returns nothing) and leaves the reader failed; nothing is ever allocated beyond what the data
// holds.
class ArchiveReader {
  public:
    explicit ArchiveReader(const QByteArray& data) : data_(data) {}

    std::optional<float> readFloat();
    std::optional<std::int32_t> readInt();
    // How a wide string becomes bytes: narrowed to single bytes (characters above 255 becoming
    // '?'), or as a file name in the system's encoding (lossless).
    enum class Wide { Narrowed, FileName };
    // A string of at most `maxLength` characters. Wide strings (0xFF, 0xFFFE, length, two bytes a
    // character) become bytes as `wide` says. Sets tooLong() when the length exceeds
    // `maxLength`.
    std::optional<QByteArray> readString(qint64 maxLength, Wide wide = Wide::Narrowed);

    qint64 position() const { return pos_; }
    qint64 remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    // The last failed read stopped at the end of the data.
    bool endedEarly() const { return endedEarly_; }
    // The last failed string read named a length above its limit; that length.
    std::optional<qint64> tooLong() const { return tooLong_; }

  private:
    bool take(void* out, qint64 count);
    std::optional<qint64> readLength();

    QByteArray data_; // shared with the caller's copy, so a temporary is safe to pass
    qint64 pos_ = 0;
    bool endedEarly_ = false;
    std::optional<qint64> tooLong_;
};
