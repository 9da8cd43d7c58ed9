// Between the scene and the sequence record.
#include "timeline/SequenceScene.h"

#include "scene/CZoetraView.h"
#include "scene/ProgramFolder.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"
#include "timeline/TimelineUi.h"

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

// The text of string item `n` cut to the length item beside it.
std::string storedPath(const SequenceRecord& r, int n) {
    const std::vector<HeaderItem>& layout = headerItems();
    for (int m : {n - 1, n + 1})
        if (m >= 1 && m <= kHeaderItemCount && layout[m].lengthOf == n)
            return cutToLength(r.items[n].s, r.items[m].f);
    return r.items[n].s.toStdString();
}

constexpr int kItemModelsEnd = 301; // the last item of model 3

int itemNumber(const char* id) {
    const std::vector<HeaderItem>& layout = headerItems();
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (qstrcmp(layout[n].id, id) == 0) return n;
    return 0;
}

struct Items {
    int textTexture = itemNumber("text.texturePath");
    int textSource = itemNumber("text.textureSource");
    int star = itemNumber("stars.texturePath");
    int particle = itemNumber("particles.texturePath");
    int fire = itemNumber("fire.texturePath");
    int tunnel = itemNumber("tunnel.texturePath");
    int tile1 = itemNumber("tile1.texturePath");
    int tile2 = itemNumber("tile2.texturePath");
};

const Items& items() {
    static const Items numbers;
    return numbers;
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
        item.stringField(v) =
            item.maxLength == kMaxPathLength ? storedPath(r, n) : value.s.toStdString();
    }
}

// The reloads that follow item n.
void afterItem(CZoetraView& v, const SequenceRecord& r, int n, SequenceAssetLoads& loads) {
    const Items& at = items();
    const float version = r.version();
    if (n == at.textTexture + 1) {
        v.assetPathMode = 0;
        const float source = v.textUseDefaultTexture;
        if (source <= 1.0f) {
            loads.mipmappedTexture(v, v.textTexturePath, v.textUserTexture);
            loads.mipmappedTexture(v, v.textTexturePath, v.textDefaultTexture);
        } else if (source >= 2.0f) {
            loads.mipmappedTexture(v, "Textures/Gold.jpg", v.textUserTexture);
            loads.mipmappedTexture(v, "Textures/Gold.jpg", v.textDefaultTexture);
        }
    } else if (n == at.star + 1) {
        loads.keyedTexture(v, v.starTextureName, v.starTexture);
    } else if (n == at.particle + 1) {
        if (v.particleTextureChosen >= 2.0f) loads.particleTexture(v, v.particleTextureName);
    } else if (n == at.fire) {
        loads.keyedTexture(v, v.fireTextureName, v.fireTexture);
    } else if (n == at.tunnel + 1) {
        loads.keyedTexture(v, v.tunnelTextureName, v.tunnelTexture);
    } else if (n == at.tile2 + 1) {
        loads.keyedTexture(v, v.tileTextureName1, v.tileTexture1);
        loads.keyedTexture(v, v.tileTextureName2, v.tileTexture2);
    } else if (n == kItemModelsEnd) {
        const int models = version >= 5.0f ? kModelCount : 1;
        for (int m = 0; m < models; ++m)
            if (v.modelLoaded[m] >= 2.0f) loads.model(v, m, v.modelPath[m]);
        for (int m = 0; m < models; ++m) {
            if (v.modelHollow[m] <= 1.0f)
                loads.mipmappedTexture(v, v.modelTexturePath[m], v.modelTextureSlot(m));
            else if (v.modelHollow[m] >= 2.0f)
                loads.keyedTexture(v, v.modelTexturePath[m], v.modelTextureSlot(m));
        }
    } else if (n == kHeaderItemCount) {
        loads.picture(v, 0, v.picturePath1);
        loads.picture(v, 1, v.picturePath2);
    }
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

void applySequence(CZoetraView& v, const SequenceRecord& r, SequenceAssetLoads& loads) {
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

    for (int n = kItemVersion + 1; n <= kHeaderItemCount; ++n) {
        // The reloads follow their place in the file even when an older file lacks the item.
        if (itemPresent(n, version)) applyItem(v, r, n);
        afterItem(v, r, n, loads);
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

    v.bakeCursor = 0;
    bakeTimeline(v);
    v.sequenceLoaded = true;
    loads.textLists(v);
    v.timelinePlaying = true;
    if (v.timelineUi) {
        v.playFrame = 0;
        v.timelineUi->sequenceLoaded(v.keyFrames[v.keyCount]);
        if (v.deckOpen) v.timelineUi->showDeck();
    }
}
