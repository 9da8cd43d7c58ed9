// Fuzz target: any bytes as a JSON sequence. A refused text must say why; an accepted one must
// write back to JSON and to a sequence file that read again unchanged.
#include "timeline/SequenceFile.h"
#include "timeline/SequenceJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SequenceRecord record;
    QString error;
    if (!sequenceFromJson(bytes, record, error)) {
        if (error.isEmpty()) std::abort();
        return 0;
    }
    const QByteArray json = sequenceToJson(record);
    SequenceRecord again;
    if (!sequenceFromJson(json, again, error)) std::abort();
    if (sequenceToJson(again) != json) std::abort();
    const QByteArray lmt = serializeSequence(again);
    SequenceRecord fromFile;
    if (!parseSequence(lmt, fromFile, error)) std::abort();
    if (serializeSequence(fromFile) != lmt) std::abort();
    return 0;
}
