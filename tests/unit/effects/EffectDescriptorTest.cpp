// Every effect's declaration, walked as tables: key ids and fields, the sequence reloads, and each
// control page's entries, ranges, enabled edits, drag rules, toggles and pickers.
#include "effects/Effects.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/KeyableParams.h"
#include "timeline/SequenceLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

bool hasHeaderItem(const char* id) {
    for (int n = 1; n <= kHeaderItemCount; ++n)
        if (std::string(headerItems()[size_t(n)].id) == id) return true;
    return false;
}

const void* fieldOf(CZoetraView& v, const KeySlice& slice, const KeyField& field) {
    return field.value ? static_cast<const void*>(&field.value(v, slice.instance))
                       : static_cast<const void*>(&field.intValue(v, slice.instance));
}

// How many entries of the effect's pages reach each scene value. The tile page is walked once
// for each quad it can select, so an entry counts once for each value it can reach.
std::map<const void*, int> entriesReaching(CZoetraView& v, const EffectDescriptor& effect) {
    std::map<const void*, std::set<const ControlEntry*>> entries;
    for (const float selected : {2.0f, 4.0f}) {
        v.tileSelected = selected;
        for (const ControlPage* page : effect.pages)
            for (const ControlEntry& entry : page->entries)
                for (const ValueRef& ref : entry.values)
                    if (const ValueHandle value = controlValue(v, *page, ref))
                        entries[value.address()].insert(&entry);
    }
    v.tileSelected = 2;
    std::map<const void*, int> reached;
    for (const auto& [address, set] : entries)
        reached[address] = int(set.size());
    return reached;
}

} // namespace

TEST(EffectDescriptors, NineLayersInDrawingOrderWithEverythingTheirWalksNeed) {
    const auto effects = allEffects();
    ASSERT_EQ(effects.size(), 9u);
    const char* order[] = {"tiles", "tunnel", "pictures", "fire", "particles",
                           "stars", "models", "blur",     "text"};
    for (size_t i = 0; i < effects.size(); ++i) {
        const EffectDescriptor& e = *effects[i];
        EXPECT_STREQ(e.name, order[i]);
        EXPECT_NE(e.reset, nullptr) << e.name;
        EXPECT_NE(e.textureSlots, nullptr) << e.name;
        EXPECT_FALSE(e.keys.empty()) << e.name;
        // A reload names an item of the sequence file, and only then has something to run.
        EXPECT_EQ(e.reloadAfterItem == nullptr, e.reloadFromSequence == nullptr) << e.name;
        if (e.reloadAfterItem) {
            EXPECT_TRUE(hasHeaderItem(e.reloadAfterItem)) << e.reloadAfterItem;
        }
    }
    // The texture-slot walk covers every slot once.
    auto v = makeScene();
    const std::vector<unsigned*> all = allTextureSlots(*v);
    EXPECT_EQ(all.size(), 20u);
    EXPECT_EQ(std::set<unsigned*>(all.begin(), all.end()).size(), all.size());
}

TEST(EffectDescriptors, KeyIdsResolveToDistinctFieldsAndJoinIntoTheKeyframeTable) {
    auto v = makeScene();
    std::set<std::string> ids;
    std::set<const void*> fields;
    size_t total = 0;
    for (const EffectDescriptor* effect : allEffects())
        for (const KeySlice& slice : effect->keys)
            for (const KeyField& field : slice.fields) {
                const std::string id = std::string(slice.idPrefix) + "." + field.name;
                EXPECT_TRUE(ids.insert(id).second) << id;
                ASSERT_TRUE((field.value == nullptr) != (field.intValue == nullptr)) << id;
                EXPECT_TRUE(fields.insert(fieldOf(*v, slice, field)).second) << id;
                const KeyFieldRef found = findKeyField(id);
                EXPECT_EQ(found.field, &field) << id;
                EXPECT_GE(keyableIndex(id), 0) << id;
                ++total;
            }
    EXPECT_EQ(total, size_t(keyableCount()));
    EXPECT_LE(keyableCount(), kKeyableCapacity);
    EXPECT_EQ(findKeyField("text.no.such").field, nullptr);
}

TEST(EffectDescriptors, ControlEntriesAreConsistentTables) {
    auto v = makeScene();
    for (const ControlPage* page : allControlPages()) {
        SCOPED_TRACE(page->caption);
        EXPECT_NE(std::string(page->caption), "");
        EXPECT_EQ(controlPage(page->page), page);
        const int count = int(page->entries.size());
        for (int i = 0; i < count; ++i) {
            const ControlEntry& e = page->entries[size_t(i)];
            SCOPED_TRACE(e.text);
            int values = 0;
            for (int n = 0; n < 3; ++n) {
                const bool present = !e.values[n].empty();
                // An enabled slider-and-edit pair has a value to show, and only it.
                EXPECT_EQ(e.enabled[n], present) << "value " << n;
                if (!present) continue;
                ++values;
                EXPECT_TRUE(controlValue(*v, *page, e.values[n])) << "value " << n;
                EXPECT_LT(e.ranges[n].min, e.ranges[n].max) << "value " << n;
                if (!e.rangesAfterMove[n].empty()) {
                    EXPECT_LT(e.rangesAfterMove[n].min, e.rangesAfterMove[n].max);
                }
            }
            // The empty entry selects nothing; every other entry has at least one value.
            EXPECT_EQ(values == 0, std::string(e.text).empty());
            for (const DragRule* rule : {&e.leftDrag, &e.rightDrag}) {
                if (rule->move == DragMove::None) continue;
                const int target = rule->entry >= 0 ? rule->entry : i;
                ASSERT_LT(target, count);
                const ControlEntry& moved = page->entries[size_t(target)];
                if (rule->move == DragMove::AlongZ) {
                    EXPECT_FALSE(moved.values[2].empty());
                } else {
                    EXPECT_FALSE(moved.values[0].empty());
                    EXPECT_FALSE(moved.values[1].empty());
                }
                EXPECT_GT(rule->factor, 0);
            }
        }
        EXPECT_LT(page->entryWithoutPage, count);
        EXPECT_NE(page->leftDragGate, nullptr);
        EXPECT_NE(page->rightDragGate, nullptr);
        EXPECT_FALSE(page->toggles.empty()); // the layer's own switch
        for (const ToggleSpec& t : page->toggles) {
            EXPECT_NE(t.flag, nullptr);
            EXPECT_NE(t.clicks, nullptr);
            EXPECT_NE(t.captions[0], nullptr);
            EXPECT_NE(t.captions[1], nullptr);
        }
        for (const AssetPicker& p : page->pickers) {
            EXPECT_TRUE(std::string(p.filter).ends_with("||")) << p.title;
            EXPECT_TRUE(std::string(p.prefix).ends_with("/")) << p.title;
            EXPECT_NE(p.load, nullptr) << p.title;
        }
        EXPECT_NE(page->open, nullptr);
        EXPECT_NE(page->reset, nullptr);
    }
}

TEST(EffectDescriptors, EveryKeyableIsReachedByAsManyEntriesAsItDeclares) {
    auto v = makeScene();
    for (const EffectDescriptor* effect : allEffects()) {
        SCOPED_TRACE(effect->name);
        if (effect->pages.empty()) {
            // A layer without a page (the fire) is set by keys and files alone; a layer whose
            // page table is still to come is checked once it has one.
            if (effect->name != std::string("fire")) continue;
            for (const KeySlice& slice : effect->keys)
                for (const KeyField& field : slice.fields)
                    EXPECT_EQ(field.controls, 0) << field.name;
            continue;
        }
        const std::map<const void*, int> reached = entriesReaching(*v, *effect);
        for (const KeySlice& slice : effect->keys)
            for (const KeyField& field : slice.fields) {
                const auto found = reached.find(fieldOf(*v, slice, field));
                const int entries = found == reached.end() ? 0 : found->second;
                EXPECT_EQ(entries, int(field.controls)) << slice.idPrefix << "." << field.name;
            }
    }
}
