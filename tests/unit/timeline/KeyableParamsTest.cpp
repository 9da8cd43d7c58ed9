// The keyable-parameter table: 215 distinct scene fields with unique ids.
#include "timeline/KeyableParams.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

TEST(KeyableParams, TwoHundredFifteenDistinctFieldsWithUniqueIds) {
    auto v = makeScene();
    const auto& params = keyableParams();
    ASSERT_EQ(params.size(), 215u);

    std::set<std::string> ids;
    std::set<const void*> fields;
    const auto* begin = reinterpret_cast<const char*>(v.get());
    const auto* end = begin + sizeof(CZoetraView);
    int integers = 0;
    for (const KeyableParam& p : params) {
        EXPECT_TRUE(ids.insert(p.id).second) << "duplicate id " << p.id;
        EXPECT_NE(p.label, "");
        ASSERT_TRUE((p.value == nullptr) != (p.intValue == nullptr)) << p.id;
        const void* field = p.value ? static_cast<void*>(&p.value(*v, p.instance))
                                    : static_cast<void*>(&p.intValue(*v, p.instance));
        EXPECT_TRUE(fields.insert(field).second) << "field used twice by " << p.id;
        const auto* at = static_cast<const char*>(field);
        EXPECT_TRUE(at >= begin && at < end) << p.id;
        if (p.intValue) ++integers;
        EXPECT_EQ(keyableIndex(p.id), &p - params.data());
    }
    EXPECT_EQ(integers, 1);
    EXPECT_EQ(keyableIndex("no.such.value"), -1);
}

TEST(KeyableParams, GroupSizesFollowTheBlocks) {
    auto count = [](const std::string& prefix) {
        int n = 0;
        for (const KeyableParam& p : keyableParams())
            if (p.id.rfind(prefix, 0) == 0) ++n;
        return n;
    };
    EXPECT_EQ(count("text."), 31);
    EXPECT_EQ(count("stars."), 14);
    EXPECT_EQ(count("particles."), 27);
    EXPECT_EQ(count("fire."), 16);
    EXPECT_EQ(count("tunnel."), 12);
    EXPECT_EQ(count("tile"), 16);
    EXPECT_EQ(count("blur."), 11);
    EXPECT_EQ(count("model"), 72);
    EXPECT_EQ(count("pictures."), 16);
}

TEST(KeyableParams, FlagWaveIsStoredAsFloatAndWrittenBackTruncated) {
    auto v = makeScene();
    const int p = keyableIndex("pictures.flagWave");
    ASSERT_GE(p, 0);
    v->flagWave = 37;
    EXPECT_EQ(keyableValue(*v, p), 37.0f);
    setKeyableValue(*v, p, 12.9f);
    EXPECT_EQ(v->flagWave, 12);
    setKeyableValue(*v, p, -12.9f);
    EXPECT_EQ(v->flagWave, -12);

    const int rotate = keyableIndex("model2.rotate.y");
    setKeyableValue(*v, rotate, 45.5f);
    EXPECT_EQ(v->modelRotation[1].y, 45.5f);
    EXPECT_EQ(v->modelRotation[0].y, 0.0f);
}
