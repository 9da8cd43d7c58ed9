// Undo history of the scene: snapshots of the editable state and edits kept as differences.
#include "timeline/SceneHistory.h"

#include "effects/EffectDescriptor.h"
#include "effects/EffectLoads.h"
#include "effects/Effects.h"
#include "scene/CZoetraView.h"
#include "scene/SequenceFormatVersion.h"
#include "timeline/KeyableParams.h"
#include "timeline/SequenceLayout.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Header items by kind: the plain values a sequence file stores besides the start values.
struct ItemLists {
    std::vector<int> floats, ints, texts;
    // For every item: the effect whose sequence reload follows it (null when none does).
    std::vector<const EffectDescriptor*> reloadOf;
    int textReload = -1; // item after which the text's reload runs
};

const ItemLists& itemLists() {
    static const ItemLists lists = [] {
        ItemLists l;
        const std::vector<HeaderItem>& items = headerItems();
        for (int n = 1; n < int(items.size()); ++n) {
            const HeaderItem& item = items[size_t(n)];
            if (n == kItemVersion || n == kItemReserved || n == kItemKeyCount || item.keyable >= 0)
                continue;
            if (item.floatField)
                l.floats.push_back(n);
            else if (item.intField)
                l.ints.push_back(n);
            else if (item.stringField)
                l.texts.push_back(n);
        }
        // Each effect's items come before the item its reload follows: an item belongs to the
        // first reload at or after it.
        std::vector<std::pair<int, const EffectDescriptor*>> reloads;
        for (const EffectDescriptor* effect : allEffects()) {
            if (!effect->reloadAfterItem || !effect->reloadFromSequence) continue;
            for (int n = 1; n < int(items.size()); ++n)
                if (qstrcmp(items[size_t(n)].id, effect->reloadAfterItem) == 0) {
                    reloads.emplace_back(n, effect);
                    if (qstrcmp(effect->name, "text") == 0) l.textReload = n;
                }
        }
        std::sort(reloads.begin(), reloads.end());
        l.reloadOf.assign(items.size(), nullptr);
        for (int n = 1; n < int(items.size()); ++n)
            for (const auto& [at, effect] : reloads)
                if (at >= n) {
                    l.reloadOf[size_t(n)] = effect;
                    break;
                }
        return l;
    }();
    return lists;
}

// The timeline's editable part: the tables and counters up to the copy buffer (Copy is not an
// edit), then the version of the last loaded sequence.
struct TimelineParts {
    char* tables;
    qint64 tablesSize;
    char* version;
};

TimelineParts timelineParts(CZoetraView& v) {
    TimelineBlock& t = v;
    char* base = reinterpret_cast<char*>(&t);
    return {base, reinterpret_cast<char*>(&t.copyBuffer) - base,
            reinterpret_cast<char*>(&t.sceneVersionWhole)};
}

constexpr qint64 kVersionSize = sizeof(std::int32_t);

QByteArray timelineBytes(CZoetraView& v) {
    const TimelineParts parts = timelineParts(v);
    QByteArray bytes;
    bytes.reserve(parts.tablesSize + kVersionSize);
    bytes.append(parts.tables, parts.tablesSize);
    bytes.append(parts.version, kVersionSize);
    return bytes;
}

// The scene's byte at `offset` of timelineBytes().
char* timelineByte(const TimelineParts& parts, qint64 offset) {
    return offset < parts.tablesSize ? parts.tables + offset
                                     : parts.version + (offset - parts.tablesSize);
}

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Ranges longer than this are kept compressed.
constexpr qint64 kCompressFrom = 4096;
// Equal runs shorter than this do not split a changed range.
constexpr qint64 kJoinGap = 64;

QString withoutAxis(QString label) {
    for (const char* axis : {" X", " Y", " Z", " Red", " Green", " Blue"})
        if (label.endsWith(QLatin1String(axis))) return label.chopped(int(qstrlen(axis)));
    return label;
}

} // namespace

SceneSnapshot takeSnapshot(CZoetraView& v) {
    const ItemLists& lists = itemLists();
    const std::vector<HeaderItem>& items = headerItems();
    SceneSnapshot s;
    for (int n : lists.floats)
        s.floats.push_back(items[size_t(n)].floatField(v));
    for (int n : lists.ints)
        s.ints.push_back(items[size_t(n)].intField(v));
    for (int n : lists.texts)
        s.texts.push_back(items[size_t(n)].stringField(v));
    s.keyables.resize(size_t(keyableCount()));
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        s.keyables[size_t(p)] = keyableValue(v, p);
    s.timeline = timelineBytes(v);
    s.playing = v.timelinePlaying;
    return s;
}

SceneChange SceneChange::between(const SceneSnapshot& before, CZoetraView& v) {
    const SceneSnapshot now = takeSnapshot(v);
    SceneChange c;
    c.before_ = {before.floats, before.ints, before.keyables, before.playing};
    c.after_ = {now.floats, now.ints, now.keyables, now.playing};
    for (size_t i = 0; i < now.floats.size(); ++i)
        if (!sameBits(before.floats[i], now.floats[i]))
            c.floats_.push_back({int(i), before.floats[i], now.floats[i]});
    for (size_t i = 0; i < now.ints.size(); ++i)
        if (before.ints[i] != now.ints[i]) c.ints_.push_back({int(i), before.ints[i], now.ints[i]});
    for (size_t i = 0; i < now.texts.size(); ++i)
        if (before.texts[i] != now.texts[i])
            c.texts_.push_back({int(i), before.texts[i], now.texts[i]});
    for (size_t i = 0; i < now.keyables.size(); ++i)
        if (!sameBits(before.keyables[i], now.keyables[i]))
            c.keyables_.push_back({int(i), before.keyables[i], now.keyables[i]});

    // Changed byte ranges of the timeline, found block by block; the tables and the version are
    // kept apart so that no range straddles them.
    const char* a = before.timeline.constData();
    const char* b = now.timeline.constData();
    const qint64 tablesSize = timelineParts(v).tablesSize;
    auto scan = [&](qint64 from, qint64 to) {
        constexpr qint64 kBlock = 4096;
        qint64 start = -1, lastDiff = -1;
        auto flush = [&] {
            if (start < 0) return;
            Range r{start, lastDiff + 1 - start, QByteArray(a + start, lastDiff + 1 - start),
                    QByteArray(b + start, lastDiff + 1 - start)};
            if (r.length >= kCompressFrom) {
                r.before = qCompress(r.before, 1);
                r.after = qCompress(r.after, 1);
                r.compressed = true;
            }
            c.ranges_.push_back(std::move(r));
            start = -1;
        };
        for (qint64 block = from; block < to; block += kBlock) {
            const qint64 end = std::min(to, block + kBlock);
            if (std::memcmp(a + block, b + block, size_t(end - block)) == 0) continue;
            for (qint64 i = block; i < end; ++i) {
                if (a[i] == b[i]) continue;
                if (start >= 0 && i - lastDiff > kJoinGap) flush();
                if (start < 0) start = i;
                lastDiff = i;
            }
        }
        flush();
    };
    scan(0, tablesSize);
    scan(tablesSize, tablesSize + kVersionSize);
    return c;
}

bool SceneChange::isEmpty() const {
    return floats_.empty() && ints_.empty() && texts_.empty() && keyables_.empty() &&
           ranges_.empty();
}

qint64 SceneChange::byteSize() const {
    qint64 size = qint64((floats_.size() + keyables_.size()) * sizeof(Swap<float>) +
                         ints_.size() * sizeof(Swap<std::int32_t>));
    for (const Values* values : {&before_, &after_})
        size += qint64(values->floats.size() * sizeof(float) +
                       values->ints.size() * sizeof(std::int32_t) +
                       values->keyables.size() * sizeof(float));
    for (const Swap<std::string>& t : texts_)
        size += qint64(sizeof t + t.before.size() + t.after.size());
    for (const Range& r : ranges_)
        size += qint64(sizeof r) + r.before.size() + r.after.size();
    return size;
}

bool SceneChange::touchesAssets() const {
    return !floats_.empty() || !ints_.empty() || !texts_.empty();
}

void SceneChange::restore(CZoetraView& v, bool after, EffectLoads& loads) const {
    const ItemLists& lists = itemLists();
    const std::vector<HeaderItem>& items = headerItems();
    std::vector<const EffectDescriptor*> reloads;
    bool textChanged = false;
    auto changedItem = [&](int n) {
        const EffectDescriptor* effect = lists.reloadOf[size_t(n)];
        if (effect && std::find(reloads.begin(), reloads.end(), effect) == reloads.end())
            reloads.push_back(effect);
        if (lists.textReload >= 0 && effect == lists.reloadOf[size_t(lists.textReload)])
            textChanged = true;
    };
    const Values& values = after ? after_ : before_;
    for (size_t i = 0; i < values.floats.size(); ++i)
        items[size_t(lists.floats[i])].floatField(v) = values.floats[i];
    for (size_t i = 0; i < values.ints.size(); ++i)
        items[size_t(lists.ints[i])].intField(v) = values.ints[i];
    for (size_t p = 0; p < values.keyables.size(); ++p)
        setKeyableValue(v, int(p), values.keyables[p]);
    for (const Swap<float>& f : floats_)
        changedItem(lists.floats[size_t(f.index)]);
    for (const Swap<std::int32_t>& i : ints_)
        changedItem(lists.ints[size_t(i.index)]);
    for (const Swap<std::string>& t : texts_) {
        const int n = lists.texts[size_t(t.index)];
        items[size_t(n)].stringField(v) = after ? t.after : t.before;
        changedItem(n);
    }

    const TimelineParts parts = timelineParts(v);
    for (const Range& r : ranges_) {
        const QByteArray& stored = after ? r.after : r.before;
        const QByteArray bytes = r.compressed ? qUncompress(stored) : stored;
        if (bytes.size() != r.length) continue; // cannot happen: written by between()
        std::memcpy(timelineByte(parts, r.offset), bytes.constData(), size_t(r.length));
    }
    // A timeline put back plays (or not) as it did then.
    if (!ranges_.empty()) v.timelinePlaying = values.playing;

    // Assets follow their paths, in the order a sequence file reloads them.
    std::sort(reloads.begin(), reloads.end(),
              [&](const EffectDescriptor* x, const EffectDescriptor* y) {
                  auto at = [&](const EffectDescriptor* e) {
                      for (int n = 1; n < int(items.size()); ++n)
                          if (qstrcmp(items[size_t(n)].id, e->reloadAfterItem) == 0) return n;
                      return 0;
                  };
                  return at(x) < at(y);
              });
    for (const EffectDescriptor* effect : reloads)
        effect->reloadFromSequence(v, loads, kSequenceFormatVersion);
    if (textChanged) loads.textLists(v);
}

namespace {
// Adds `later`'s swaps to `into`: an index already there keeps its first "before".
template <typename Swap> void foldSwaps(std::vector<Swap>& into, const std::vector<Swap>& later) {
    for (const Swap& swap : later) {
        auto same = std::find_if(into.begin(), into.end(),
                                 [&](const Swap& s) { return s.index == swap.index; });
        if (same != into.end())
            same->after = swap.after;
        else
            into.push_back(swap);
    }
}
} // namespace

bool SceneChange::absorb(const SceneChange& later) {
    if (!ranges_.empty() || !later.ranges_.empty()) return false;
    foldSwaps(floats_, later.floats_);
    foldSwaps(ints_, later.ints_);
    foldSwaps(texts_, later.texts_);
    foldSwaps(keyables_, later.keyables_);
    after_ = later.after_;
    return true;
}

QString SceneChange::keyableName() const {
    if (keyables_.empty()) return QString();
    // A slider writes its entry's three values back; the one that moved most names the edit.
    const Swap<float>* most = &keyables_.front();
    for (const Swap<float>& k : keyables_)
        if (std::fabs(k.after - k.before) > std::fabs(most->after - most->before)) most = &k;
    return withoutAxis(QString::fromStdString(keyableParams()[size_t(most->index)].label));
}

QByteArray sceneDigest(CZoetraView& v) {
    const SceneSnapshot s = takeSnapshot(v);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(s.floats.data()),
                                qsizetype(s.floats.size() * sizeof(float))));
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(s.ints.data()),
                                qsizetype(s.ints.size() * sizeof(std::int32_t))));
    for (const std::string& t : s.texts) {
        hash.addData(QByteArrayView(t.data(), qsizetype(t.size())));
        hash.addData(QByteArrayView("\0", 1));
    }
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(s.keyables.data()),
                                qsizetype(s.keyables.size() * sizeof(float))));
    hash.addData(s.timeline);
    return hash.result();
}
