// Edits kept as differences: small for small edits, exact both ways, assets reloaded by path.
#include "timeline/SceneHistory.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingAssetLoads.h"
#include "timeline/KeyableParams.h"
#include "timeline/KeyframeStore.h"

#include <gtest/gtest.h>

namespace {

class SceneHistory : public ::testing::Test {
  protected:
    std::unique_ptr<CZoetraView> scene = makeScene();
    CZoetraView& v = *scene;
    RecordingAssetLoads loads;
};

} // namespace

TEST_F(SceneHistory, OneValueIsKeptAsThatValueAndNamedWithoutItsAxis) {
    const QByteArray start = sceneDigest(v);
    const SceneSnapshot before = takeSnapshot(v);
    v.starSpin = 42.5f;
    const SceneChange change = SceneChange::between(before, v);
    EXPECT_FALSE(change.isEmpty());
    EXPECT_FALSE(change.touchesTimeline());
    EXPECT_FALSE(change.touchesAssets());
    // The value lists on both sides, no timeline.
    EXPECT_LT(change.byteSize(), 8 * 1024);
    EXPECT_EQ(change.keyableName(), "Star Spin");

    change.restore(v, false, loads);
    EXPECT_EQ(v.starSpin, before.keyables[size_t(keyableIndex("stars.spin"))]);
    EXPECT_EQ(sceneDigest(v), start);
    change.restore(v, true, loads);
    EXPECT_EQ(v.starSpin, 42.5f);
    EXPECT_TRUE(loads.calls.isEmpty());

    // Several values: the one that moved most names the edit.
    const SceneSnapshot again = takeSnapshot(v);
    v.starDirection += 0.5f;
    v.starSpacing += 20;
    EXPECT_EQ(SceneChange::between(again, v).keyableName(), "Star Spacing");
    EXPECT_TRUE(SceneChange::between(takeSnapshot(v), v).isEmpty());
}

TEST_F(SceneHistory, KeysAreKeptAsTheChangedCellsOnly) {
    const QByteArray start = sceneDigest(v);
    SceneSnapshot before = takeSnapshot(v);
    v.textRotation.y = 90;
    ASSERT_TRUE(addKey(v, 120));
    const SceneChange change = SceneChange::between(before, v);
    EXPECT_TRUE(change.touchesTimeline());
    // Far below the 17 MB of the tables: one baked segment and the key.
    EXPECT_LT(change.byteSize(), 2 * 1024 * 1024);
    const QByteArray keyed = sceneDigest(v);

    change.restore(v, false, loads);
    EXPECT_EQ(v.keyCount, 0);
    EXPECT_EQ(sceneDigest(v), start);
    change.restore(v, true, loads);
    EXPECT_EQ(v.keyCount, 1);
    EXPECT_EQ(v.keyFrames[1], 120);
    EXPECT_EQ(sceneDigest(v), keyed);
}

TEST_F(SceneHistory, AChangedPathIsLoadedAgainThroughTheLoaders) {
    const std::string oldPath = v.textTexturePath;
    const SceneSnapshot before = takeSnapshot(v);
    v.textTexturePath = "Textures/pollav.jpg";
    v.textUseDefaultTexture = 0;
    const SceneChange change = SceneChange::between(before, v);
    EXPECT_TRUE(change.touchesAssets());

    change.restore(v, false, loads);
    EXPECT_EQ(v.textTexturePath, oldPath);
    EXPECT_TRUE(loads.calls.contains("text lists"));
    const QString expected = QStringLiteral("mipmapped %1")
                                 .arg(QString::fromStdString(
                                     v.textUseDefaultTexture >= 2 ? "Textures/Gold.jpg" : oldPath));
    EXPECT_TRUE(loads.calls.contains(expected)) << loads.calls.join(", ").toStdString();
    loads.calls.clear();
    change.restore(v, true, loads);
    EXPECT_TRUE(loads.calls.contains("mipmapped Textures/pollav.jpg"))
        << loads.calls.join(", ").toStdString();
}
