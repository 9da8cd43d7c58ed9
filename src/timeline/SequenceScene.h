// Between the scene and the sequence record: what a save takes from the scene, and how a
// checked record is applied to it, with each effect's reloads between the items.
#pragma once

#include "effects/EffectLoads.h"
#include "timeline/SequenceFile.h"

#include <string>

class CZoetraView;

// The record a save writes: version 6.0, every header item from the scene and the start
// values, one key record per key from the key tracks at its frame.
SequenceRecord captureSequence(CZoetraView& v);

// Replaces the timeline and the stored look with a record that parseSequence accepted: the
// program folder becomes the working folder, the timeline is reset, the values older files lack
// are preset, the items are applied in file order with the asset reloads between them, the keys
// are stored and baked, the text lists are rebuilt, and playback starts.
void applySequence(CZoetraView& v, const SequenceRecord& record,
                   EffectLoads& loads = effectLoads());
