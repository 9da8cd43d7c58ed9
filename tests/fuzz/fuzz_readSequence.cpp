// Fuzz target: any bytes as a sequence file. A refused file must say why; an accepted one must
// write back to bytes that read again and write back unchanged.
#include "timeline/SequenceFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SequenceRecord record;
    QString error;
    if (!parseSequence(bytes, record, error)) {
        if (error.isEmpty()) std::abort();
        return 0;
    }
    // Older versions write back with every item, wide or long-form strings in the short form.
    const QByteArray written = serializeSequence(record);
    SequenceRecord again;
    if (!parseSequence(written, again, error)) std::abort();
    if (serializeSequence(again) != written) std::abort();
    return 0;
}
