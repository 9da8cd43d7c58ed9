// The soundtrack chosen for a sequence file. A JSON sequence holds it itself; a .lmt file has no
// room for it (its bytes stay as other programs expect), so the profile keeps it, keyed by the
// file's absolute path.
#pragma once

#include <QString>

// The soundtrack remembered for the sequence file `sequencePath` (empty when none).
QString rememberedSoundtrack(const QString& sequencePath);
// Remembers `soundtrack` for `sequencePath`; an empty one forgets the choice.
void rememberSoundtrack(const QString& sequencePath, const QString& soundtrack);
