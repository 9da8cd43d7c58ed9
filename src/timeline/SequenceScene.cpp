// Between the scene and the sequence record.
#include "timeline/SequenceScene.h"

#include "effects/Effects.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"

#include <QDir>
#include <cmath>

namespace {

QByteArray bytesOf(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

// A texture path cut to the length stored beside it.
std::string cutToLength(const QByteArray& path, float length) {
    qsizetype n = path.size();
    if (length >= 0 && length < float(n)) n = static_cast<qsizetype>(length);
    if (!(length >= 0)) n = 0;
    return std::string(path.constData(), static_cast<size_t>(n));
}

// The text of string item `n`: a texture path cut to the length item beside it, any other string
// (the 3D text, a model or picture path) whole.
std::string storedString(const SequenceRecord& r, int n) {
    const std::vector<HeaderItem>& layout = headerItems();
    if (layout[n].cutToLength)
        for (int m : {n - 1, n + 1})
            if (m >= 1 && m <= kHeaderItemCount && layout[m].lengthOf == n)
                return cutToLength(r.items[n].s, r.items[m].f);
    return r.items[n].s.toStdString();
}

// Stores item n of the record into the scene (skipped items are not passed here).
void applyItem(CZoetraView& v, const SequenceRecord& r, int n) {
    const HeaderItem& item = headerItems()[n];
    const SequenceItem& value = r.items[n];
    if (item.keyable >= 0) {
        v.startKey[item.keyable] = value.f;
    } else if (item.floatField) {
        item.floatField(v) = value.f;
    } else if (item.intField) {
        if (n == kItemKeyCount) return;
        item.intField(v) = value.i;
    } else if (item.stringField) {
        item.stringField(v) = storedString(r, n);
    }
}

// The effects' reloads that follow item n.
void afterItem(CZoetraView& v, int n, float version, EffectLoads& loads) {
    const char* id = headerItems()[n].id;
    for (const EffectDescriptor* effect : allEffects())
        if (effect->reloadAfterItem && qstrcmp(effect->reloadAfterItem, id) == 0)
            effect->reloadFromSequence(v, loads, version);
}

} // namespace

SequenceRecord captureSequence(CZoetraView& v) {
    SequenceRecord r;
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 1; n <= kHeaderItemCount; ++n) {
        const HeaderItem& item = layout[n];
        SequenceItem& value = r.items[n];
        if (n == kItemVersion)
            value.f = kSequenceFormatVersion;
        else if (n == kItemReserved)
            value.i = 1;
        else if (n == kItemKeyCount)
            value.i = v.keyCount;
        else if (item.keyable >= 0)
            value.f = v.startKey[item.keyable];
        else if (item.floatField)
            value.f = item.floatField(v);
        else if (item.intField)
            value.i = item.intField(v);
        else if (item.stringField)
            value.s = bytesOf(item.stringField(v));
    }
    // Lengths last: they describe the strings around them.
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (layout[n].lengthOf > 0) r.items[n].f = float(r.items[layout[n].lengthOf].s.size());

    const std::vector<KeySlot>& slotLayout = keySlots();
    r.keys.resize(static_cast<size_t>(std::max(0, v.keyCount)));
    for (int i = 1; i <= v.keyCount; ++i) {
        SequenceKey& key = r.keys[static_cast<size_t>(i - 1)];
        key.frame = v.keyFrames[i];
        for (int s = 0; s < kKeySlotCount; ++s)
            key.values[static_cast<size_t>(s)] = v.keyTrack[slotLayout[s].keyable][key.frame];
    }
    return r;
}

void applySequence(CZoetraView& v, const SequenceRecord& r, EffectLoads& loads) {
    QDir::setCurrent(programFolder());
    resetTimeline(v);

    // What older files lack.
    v.modelOn[1] = 0;
    v.modelOn[2] = 0;
    v.blurModel = 0;
    v.modelRadialBlur[1] = 0;
    v.modelRadialBlur[2] = 0;
    v.modelBlurPassRequest[2] = 0;
    v.particleWarmUpRequest = 2.0f;
    v.particleRebuildRequest = 2.0f;
    v.sceneVersionWhole = 0;

    const float version = r.version();
    v.sceneVersion = version;
    v.sceneVersionWhole = static_cast<std::int32_t>(std::trunc(version));

    // Stored relative paths are resolved against the working folder, the program folder.
    v.assetPathMode = 0;
    for (int n = kItemVersion + 1; n <= kHeaderItemCount; ++n) {
        // The reloads follow their place in the file even when an older file lacks the item.
        if (itemPresent(n, version)) applyItem(v, r, n);
        afterItem(v, n, version, loads);
    }

    const std::vector<KeySlot>& slotLayout = keySlots();
    v.keyCount = static_cast<std::int32_t>(r.keys.size());
    for (int i = 1; i <= v.keyCount; ++i) {
        const SequenceKey& key = r.keys[static_cast<size_t>(i - 1)];
        v.keyFrames[i] = key.frame;
        for (int s = 0; s < kKeySlotCount; ++s)
            if (slotPresent(s, version))
                v.keyTrack[slotLayout[s].keyable][key.frame] = key.values[static_cast<size_t>(s)];
    }

    // Frame 0 shows the start values, as a key at frame 0 would: a file without keys then plays
    // its stored look rather than whatever the tracks last held there. The bake overwrites it
    // when there are keys.
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        v.frameTrack[p][0] = v.startKey[p];
    v.bakeCursor = 0;
    bakeTimeline(v);
    v.sequenceLoaded = true;
    loads.textLists(v);
    v.timelinePlaying = true;
    if (v.pageExists(DeckPage::Keyframes)) {
        v.playFrame = 0;
        v.deckUi().sequenceLoaded(v.keyFrames[v.keyCount]);
    }
    if (v.pageExists(DeckPage::Particles)) v.deckUi().showValues(DeckPage::Particles);
    if (v.deckOpen) v.deckUi().setVisible(true);
}
