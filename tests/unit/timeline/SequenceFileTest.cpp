// Sequence files as bytes: the string length forms, every item and slot through a round trip,
// older versions with their missing items, and the files the reader refuses.
#include "timeline/SequenceFile.h"
#include "timeline/KeyableParams.h"
#include "timeline/SequenceArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

// A record with a different value in every item and slot (copies of one value kept equal).
SequenceRecord distinctRecord(int keyCount) {
    SequenceRecord r;
    const std::vector<HeaderItem>& layout = headerItems();
    r.items[kItemVersion].f = kSequenceFormatVersion;
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        switch (layout[n].kind) {
        case ItemKind::Float:
            r.items[n].f = n + 0.25f;
            break;
        case ItemKind::Int:
            r.items[n].i = -7 * n;
            break;
        case ItemKind::String:
            r.items[n].s = QByteArray("Path/") + QByteArray::number(n) + ".jpg";
            break;
        }
    }
    r.items[kItemKeyCount].i = keyCount;
    for (int k = 0; k < keyCount; ++k) {
        SequenceKey key;
        key.frame = 10 * (k + 1);
        for (int s = 0; s < kKeySlotCount; ++s)
            key.values[size_t(s)] = float(keySlots()[s].keyable) + 0.5f * k;
        r.keys.push_back(key);
    }
    return r;
}

// The bytes an older writer would have produced for `record`: only the items and slots its
// version holds.
// With `stopBefore`, only the items before that one.
QByteArray olderFile(const SequenceRecord& r, float version, int stopBefore = 0) {
    ArchiveWriter out;
    out.writeFloat(version);
    for (int n = 2; n <= kHeaderItemCount; ++n) {
        if (n == stopBefore) return out.bytes();
        if (!itemPresent(n, version)) continue;
        switch (headerItems()[n].kind) {
        case ItemKind::Float:
            out.writeFloat(r.items[n].f);
            break;
        case ItemKind::Int:
            out.writeInt(n == kItemKeyCount ? int(r.keys.size()) : r.items[n].i);
            break;
        case ItemKind::String:
            out.writeString(r.items[n].s);
            break;
        }
    }
    for (const SequenceKey& key : r.keys) {
        out.writeInt(key.frame);
        for (int s = 0; s < kKeySlotCount; ++s)
            if (slotPresent(s, version)) out.writeFloat(key.values[size_t(s)]);
    }
    return out.bytes();
}

int itemNumber(const char* id) {
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(headerItems()[n].id, id) == 0) return n;
    return 0;
}

QString refusal(const QByteArray& bytes) {
    SequenceRecord r;
    QString error;
    EXPECT_FALSE(parseSequence(bytes, r, error));
    return error;
}

} // namespace

TEST(SequenceArchive, StringLengthForms) {
    struct Form {
        int length;
        QByteArray prefix;
    };
    const Form forms[] = {{0, QByteArray("\x00", 1)},
                          {254, QByteArray("\xFE", 1)},
                          {255, QByteArray("\xFF\xFF\x00", 3)},
                          {300, QByteArray("\xFF\x2C\x01", 3)},
                          {65533, QByteArray("\xFF\xFD\xFF", 3)},
                          {65534, QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
                          {70000, QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7)}};
    for (const Form& form : forms) {
        const QByteArray text(form.length, 'a');
        ArchiveWriter out;
        out.writeString(text);
        EXPECT_EQ(out.bytes().left(form.prefix.size()), form.prefix) << form.length;
        EXPECT_EQ(out.bytes().size(), form.prefix.size() + form.length);
        ArchiveReader in(out.bytes());
        EXPECT_EQ(in.readString(100000), text) << form.length;
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(SequenceArchive, WideStringsAreNarrowed) {
    // 0xFF 0xFFFE marks two bytes a character; the length follows in the short form.
    const QByteArray wide("\xFF\xFE\xFF\x03"
                          "A\x00"
                          "\xE9\x00"
                          "\x3A\x26",
                          10);
    ArchiveReader in(wide);
    EXPECT_EQ(in.readString(10), QByteArray("A\xE9?"));
    EXPECT_TRUE(in.atEnd());

    // The wide form with a 16-bit length.
    QByteArray longWide("\xFF\xFE\xFF\xFF\x2C\x01", 6);
    for (int i = 0; i < 300; ++i)
        longWide.append("x\x00", 2);
    ArchiveReader in2(longWide);
    EXPECT_EQ(in2.readString(1000), QByteArray(300, 'x'));

    ArchiveReader cut(QByteArray("\xFF\xFE\xFF\x03"
                                 "A\x00",
                                 6));
    EXPECT_FALSE(cut.readString(10));
    EXPECT_TRUE(cut.endedEarly());
}

TEST(SequenceArchive, LengthAboveTheLimitIsReportedWithoutReading) {
    ArchiveReader in(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7));
    EXPECT_FALSE(in.readString(1000));
    ASSERT_TRUE(in.tooLong());
    EXPECT_EQ(*in.tooLong(), 0x7FFFFFFF);
}

TEST(SequenceFile, EveryItemAndSlotSurvivesWriteAndRead) {
    const SequenceRecord original = distinctRecord(3);
    const QByteArray bytes = serializeSequence(original);
    // 325 items: the strings are the only items of variable size.
    SequenceRecord read;
    QString error;
    ASSERT_TRUE(parseSequence(bytes, read, error)) << error.toStdString();
    for (int n = 1; n <= kHeaderItemCount; ++n) {
        EXPECT_EQ(read.items[n].f, original.items[n].f) << n;
        EXPECT_EQ(read.items[n].i, original.items[n].i) << n;
        EXPECT_EQ(read.items[n].s, original.items[n].s) << n;
    }
    ASSERT_EQ(read.keys.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(read.keys[k].frame, original.keys[k].frame);
        EXPECT_EQ(read.keys[k].values, original.keys[k].values);
    }
    EXPECT_EQ(serializeSequence(read), bytes);
}

TEST(SequenceFile, LayoutCountsAndVersionConditions) {
    ASSERT_EQ(headerItems().size(), size_t(kHeaderItemCount + 1));
    ASSERT_EQ(keySlots().size(), size_t(kKeySlotCount));
    int starts = 0;
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (headerItems()[n].keyable >= 0) ++starts;
    EXPECT_EQ(starts, keyableCount()); // every start value once

    auto missing = [](float version) {
        std::vector<int> items;
        for (int n = 1; n <= kHeaderItemCount; ++n)
            if (!itemPresent(n, version)) items.push_back(n);
        return items;
    };
    std::vector<int> v5 = missing(5.0f);
    EXPECT_EQ(v5, (std::vector<int>{100, 101}));
    std::vector<int> v4 = missing(4.0f);
    EXPECT_EQ(v4.size(), 3u + 2u + 6u + 78u); // 19-21, 100-101, 209-214, 224-301
    EXPECT_EQ(v4.front(), 19);
    EXPECT_EQ(v4.back(), 301);
    EXPECT_EQ(missing(3.0f).size(), v4.size() + 1); // item 2 as well
    EXPECT_EQ(missing(2.0f).size(), v4.size() + 5); // items 2-6 as well
    int slots4 = 0, slots5 = 0;
    for (int s = 0; s < kKeySlotCount; ++s) {
        if (!slotPresent(s, 4.0f)) ++slots4;
        if (!slotPresent(s, 5.0f)) ++slots5;
    }
    EXPECT_EQ(slots4, 3 + 3 + 60); // slots 4-6, 79-81, 163-222
    EXPECT_EQ(slots5, 3);          // slots 79-81
}

TEST(SequenceFile, OlderVersionsAreReadWithTheirItemsSkipped) {
    const SequenceRecord full = distinctRecord(2);
    for (float version : {2.0f, 3.0f, 4.0f, 5.0f}) {
        SequenceRecord read;
        QString error;
        ASSERT_TRUE(parseSequence(olderFile(full, version), read, error))
            << version << " " << error.toStdString();
        EXPECT_EQ(read.version(), version);
        for (int n = 2; n <= kHeaderItemCount; ++n) {
            const bool present = itemPresent(n, version);
            EXPECT_EQ(read.items[n].f, present ? full.items[n].f : 0.0f) << version << " " << n;
            EXPECT_EQ(read.items[n].s, present ? full.items[n].s : QByteArray()) << n;
        }
        ASSERT_EQ(read.keys.size(), 2u);
        for (int s = 0; s < kKeySlotCount; ++s)
            EXPECT_EQ(read.keys[1].values[size_t(s)],
                      slotPresent(s, version) ? full.keys[1].values[size_t(s)] : 0.0f);
    }
    // Spot checks of the named conditions.
    EXPECT_FALSE(itemPresent(itemNumber("particles.count"), 3.0f));
    EXPECT_TRUE(itemPresent(itemNumber("particles.count"), 4.0f));
    EXPECT_FALSE(itemPresent(itemNumber("tunnel.colour.r"), 2.0f));
    EXPECT_FALSE(itemPresent(itemNumber("model2.on"), 4.9f));
    EXPECT_TRUE(itemPresent(itemNumber("model1.on"), 1.0f));
}

TEST(SequenceFile, RefusesBrokenFiles) {
    const QByteArray good = serializeSequence(distinctRecord(2));
    SequenceRecord r;
    QString error;
    ASSERT_TRUE(parseSequence(good, r, error));

    // Ends early anywhere: in the header, in a string, in a key.
    for (qsizetype cut :
         {qsizetype(0), qsizetype(3), qsizetype(40), good.size() / 2, good.size() - 1})
        EXPECT_TRUE(refusal(good.left(cut)).contains("ends early")) << cut;

    const SequenceRecord noKeys = distinctRecord(0);
    QByteArray many = serializeSequence(noKeys);
    const qsizetype keyCountOffset = olderFile(noKeys, 6.0f, kItemKeyCount).size();
    const std::int32_t tooMany = 20000;
    std::memcpy(many.data() + keyCountOffset, &tooMany, 4);
    EXPECT_TRUE(refusal(many).contains("20,000 keys")) << refusal(many).toStdString();
    const std::int32_t negative = -1;
    std::memcpy(many.data() + keyCountOffset, &negative, 4);
    EXPECT_FALSE(refusal(many).isEmpty());
    // A count the file cannot hold ends early without reserving room for it.
    const std::int32_t count = 19999;
    std::memcpy(many.data() + keyCountOffset, &count, 4);
    EXPECT_TRUE(refusal(many).contains("ends early"));

    for (std::int32_t frame : {0, 10000, -5}) {
        SequenceRecord bad = distinctRecord(2);
        bad.keys[1].frame = frame;
        EXPECT_TRUE(refusal(serializeSequence(bad)).contains("Key 2 is at frame"));
    }

    SequenceRecord longText = distinctRecord(0);
    longText.items[itemNumber("text.string")].s = QByteArray(30000, 'x');
    EXPECT_TRUE(parseSequence(serializeSequence(longText), r, error));
    longText.items[itemNumber("text.string")].s = QByteArray(30001, 'x');
    EXPECT_TRUE(refusal(serializeSequence(longText)).contains("3D text is 30,001"));

    SequenceRecord longPath = distinctRecord(0);
    longPath.items[itemNumber("model2.path")].s = QByteArray(1001, 'p');
    EXPECT_TRUE(refusal(serializeSequence(longPath)).contains("1,001 characters"));

    QByteArray future = serializeSequence(distinctRecord(0));
    const float seven = 7.0f;
    std::memcpy(future.data(), &seven, 4);
    EXPECT_TRUE(refusal(future).contains("version 7"));
}

// The reader reads what the writer wrote and stops: bytes after the last key change nothing.
TEST(SequenceFile, BytesAfterTheLastKeyAreNotRead) {
    for (int keys : {0, 2}) {
        const QByteArray good = serializeSequence(distinctRecord(keys));
        SequenceRecord plain, padded;
        QString error;
        ASSERT_TRUE(parseSequence(good, plain, error)) << error.toStdString();
        for (const QByteArray& tail :
             {QByteArray(1, '\0'), QByteArray(5, '\xff'), QByteArray("trailing text\r\n"),
              serializeSequence(distinctRecord(1))}) {
            ASSERT_TRUE(parseSequence(good + tail, padded, error)) << keys << error.toStdString();
            EXPECT_TRUE(error.isEmpty());
            EXPECT_EQ(serializeSequence(padded), good) << keys;
            ASSERT_EQ(padded.keys.size(), plain.keys.size());
            for (size_t k = 0; k < plain.keys.size(); ++k) {
                EXPECT_EQ(padded.keys[k].frame, plain.keys[k].frame);
                EXPECT_EQ(padded.keys[k].values, plain.keys[k].values);
            }
        }
    }
}

// A file whose first four bytes are no format version is no sequence file; a plausible version
// that this program does not read is named.
TEST(SequenceFile, TellsAFileThatIsNoSequenceFromAnUnknownVersion) {
    const QByteArray body = serializeSequence(distinctRecord(1)).mid(4);
    auto withVersion = [&](float version) {
        QByteArray bytes(4, '\0');
        std::memcpy(bytes.data(), &version, 4);
        return bytes + body;
    };
    for (float version : {7.0f, 8.5f, 12.0f, 99.0f}) {
        EXPECT_TRUE(looksLikeSequenceFile(withVersion(version))) << version;
        EXPECT_TRUE(refusal(withVersion(version)).contains("is not one this program reads"))
            << version;
    }
    for (float version : {1.0f, 4.0f, 5.5f, 6.0f})
        EXPECT_TRUE(looksLikeSequenceFile(withVersion(version))) << version;
    for (float version :
         {2.22184e-22f, 0.0f, -6.0f, 0.5f, 6.123f, 100.0f, 12690.3f, 1e27f,
          std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_FALSE(looksLikeSequenceFile(withVersion(version))) << version;
        if (!(version >= 1.0f && version < 7.0f)) {
            EXPECT_EQ(refusal(withVersion(version)), "It is not a Lumatoy sequence file.")
                << version;
        }
    }
    // Text, pictures and files too short for a version are none either.
    for (const char* other : {"not a sequence at all", "{\"format\": \"Lumatoy sequence\"}",
                              "\x89PNG\r\n\x1a\n", "RIFF....AVI ", "", "ab"})
        EXPECT_FALSE(looksLikeSequenceFile(QByteArray(other))) << other;
}
