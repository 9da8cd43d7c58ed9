// Sequence files as data: the record of one file's header items and key records, parsed from
// bytes with every count, frame and length checked, and written back byte for byte.
#pragma once

#include "timeline/SequenceLayout.h"

#include "scene/SequenceFormatVersion.h"
#include <QByteArray>

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct SequenceItem {
    float f = 0;
    std::int32_t i = 0;
    QByteArray s; // single-byte characters
};

struct SequenceKey {
    std::int32_t frame = 0;
    std::array<float, kKeySlotCount> values{}; // slots 1 ... 240
};

struct SequenceRecord {
    // Items 1 ... 325 at indices 1 ... 325; an item the file's version lacks stays at its zero.
    std::array<SequenceItem, kHeaderItemCount + 1> items{};
    std::vector<SequenceKey> keys;
    // The sound file the sequence is made to. Only the JSON form has room for it: the binary
    // file never holds it (its writers and readers elsewhere expect exactly the items above).
    QString soundtrack;

    float version() const { return items[kItemVersion].f; }
};

// Whether a file of `version` holds header item `item` (1 ... 325) or key slot `slot` (0 ... 239).
bool itemPresent(int item, float version);
bool slotPresent(int slot, float version);

// Parses a whole file. Refuses, with the reason in `error`, a file that ends early, holds a
// version outside 1 ... 6, more than 19,999 keys, a key frame outside 1 ... 9,999, or a string
// longer than its item allows. The reader stops after the last key: bytes after it are not read.
bool parseSequence(const QByteArray& bytes, SequenceRecord& record, QString& error);

// Whether `bytes` begin as a sequence file does: with a format version, a number from 1 to 99.9
// with at most one decimal (6.0, 7.0, 4.5). A file that is refused and does not is no sequence
// file at all, and is reported as that rather than by what its bytes happened to hold.
bool looksLikeSequenceFile(const QByteArray& bytes);

// The file bytes of a record: version 6.0 and every item, whatever the record's version (items
// an older file lacks are written as the record holds them), and one key record per key (item
// 14 is written as the number of keys).
QByteArray serializeSequence(const SequenceRecord& record);
