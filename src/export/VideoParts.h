// The parts of a render spread over machines: the tag each part carries in its file header (which
// frames it holds, of which render) and the join of the parts into one video by stream copy.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What a part of a chunked render says about itself, stored as JSON in the file's comment.
struct VideoPartTag {
    int first = 0, last = -1;           // the frames this part holds
    int rangeFirst = 0, rangeLast = -1; // the frames of the whole render it is a part of
    int chunk = 0, chunks = 1;          // which of how many equal parts
    QString sequence;                   // the sequence's file name; empty: the default look
    QString identity; // what the picture depends on besides size, rate and frames (a hash)
    int width = 0, height = 0, framesPerSecond = 0;
    QString codec; // the encoder's name
};

// The tag as stored in a file's comment, and back; nullopt for any other comment.
QString encodePartTag(const VideoPartTag& tag);
std::optional<VideoPartTag> decodePartTag(const QString& comment);

// What a finished join did.
struct JoinReport {
    int parts = 0;
    int first = 0, last = -1; // the frames of the joined video
    int streams = 0;          // streams copied (video and any others the parts hold)
};

// Joins `parts` (in any order) into `output` in frame order, copying every stream's packets as
// they are. Refuses, writing nothing, parts that do not fit together: unreadable or untagged
// files, parts of different renders, different size, rate, codec or streams, a gap, an overlap or
// a missing part, a part with fewer frames than its range. The file appears at `output` only when
// it is complete; an existing file there stays until then.
bool joinVideoParts(const QStringList& parts, const QString& output, JoinReport* report,
                    QString* error);
