// The text form of sequence files: JSON that names every header value and every key value by
// its id, for people to read and edit. A file written by this program survives
// .lmt -> .json -> .lmt byte for byte.
#pragma once

#include "timeline/SequenceFile.h"

#include <QByteArray>
#include <QString>

// The JSON text of a record. Items the record's version lacks are left out; path lengths,
// repeated switches and the reserved item appear only where they differ from what the writer
// would put there; a key slot whose copy differs from its value is listed under "slots".
QByteArray sequenceToJson(const SequenceRecord& record);

// Reads the JSON text back. Items a version below 6 lacks, and optional items, take the values
// a new scene would write. Unknown names, missing values and values of the wrong kind are
// refused with the reason in `error`.
bool sequenceFromJson(const QByteArray& json, SequenceRecord& record, QString& error);
