// The 3DS models drawn headlessly: the three layers side by side, each switch of a model, units
// and scale, meshes that name no material or reach past their lists, a failed load, and a reload
// of the file a slot already holds.
#include "effects/models/ModelEffect.h"
#include "effects/models/ModelLayer.h"
#include "platform/ProgramFolder.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GoldenImage.h"
#include "support/SceneRenderTest.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kFrameWidth = 240;
constexpr int kFrameHeight = 160;

long brightnessIn(const QImage& frame, QRect area) {
    long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = frame.pixel(x, y);
            sum += qRed(c) + qGreen(c) + qBlue(c);
        }
    return sum;
}

class ModelRender : public SceneRenderTest {
  protected:
    ModelRender() : SceneRenderTest(kFrameWidth, kFrameHeight) {}
    void SetUp() override {
        SceneRenderTest::SetUp();
        if (HasFatalFailure()) return;
        view->textOn = 0;
    }

    // Model 1 alone, close enough to fill much of the frame.
    void model1Close() {
        view->modelOn[0] = 2;
        view->modelPosition[0] = {0, 0, -14};
        view->modelRotation[0] = {10, 30, 0};
    }
};

} // namespace

TEST_F(ModelRender, ThreeModelsStandSideBySide) {
    QRect alone[3];
    for (int n = 0; n < 3; ++n) {
        for (int m = 0; m < 3; ++m)
            view->modelOn[m] = m == n ? 2 : 0;
        alone[n] = inkBounds(render(), qRgb(0, 0, 0), 8);
        ASSERT_FALSE(alone[n].isEmpty()) << n;
    }
    // Model 2 starts 8 to the right of model 1, model 3 8 to the left.
    EXPECT_GT(alone[1].left(), alone[0].right());
    EXPECT_LT(alone[2].right(), alone[0].left());
    for (float& on : view->modelOn)
        on = 2;
    EXPECT_TRUE(matchesGolden(render(), "models-three"));
}

TEST_F(ModelRender, EachSwitchOfAModel) {
    model1Close();
    const QImage plain = render();
    EXPECT_TRUE(matchesGolden(plain, "model-default"));
    const QRect body = inkBounds(plain, qRgb(0, 0, 0), 8);
    ASSERT_FALSE(body.isEmpty());

    view->modelLighting[0] = 0;
    const QImage unlit = render();
    EXPECT_TRUE(matchesGolden(unlit, "model-lighting-off"));
    // Unlit, the texture shows at the model's colour (255 / 205, full): brighter than lit by the
    // spot light alone.
    EXPECT_GT(brightnessIn(unlit, body), brightnessIn(plain, body));
    view->modelLighting[0] = 2;

    view->modelSphereMap[0] = 2;
    const QImage sphere = render();
    EXPECT_TRUE(matchesGolden(sphere, "model-sphere-map"));
    EXPECT_NE(sphere, plain);
    view->modelSphereMap[0] = 0;

    view->modelShiny[0] = 2;
    const QImage shiny = render();
    EXPECT_TRUE(matchesGolden(shiny, "model-shiny"));
    // The reflection pass adds to the base pass.
    EXPECT_GT(brightnessIn(shiny, body), brightnessIn(plain, body));
    view->modelShiny[0] = 0;

    // Transparent: additive and without depth test, so a blue background shows through.
    view->modelTransparency[0] = 2;
    glClearColor(0, 0, 0.5f, 1);
    const QImage transparent = render();
    EXPECT_TRUE(matchesGolden(transparent, "model-transparency"));
    const QPoint centre = body.center();
    EXPECT_GE(qBlue(transparent.pixel(centre)), 126);
    glClearColor(0, 0, 0, 1);
    view->modelTransparency[0] = 0;

    // The model's own radial blur: a glow beyond the model's outline.
    view->modelRadialBlur[0] = 2;
    view->modelBlurPassRequest[0] = 2;
    const QImage glowing = render();
    EXPECT_TRUE(matchesGolden(glowing, "model-radial-blur"));
    const QRect glow = inkBounds(glowing, qRgb(0, 0, 0), 8);
    EXPECT_TRUE(glow.contains(body));
    EXPECT_GT(glow.height(), body.height());
    view->modelRadialBlur[0] = 0;
    view->modelBlurPassRequest[0] = 0;

    // Hollow: the texture loaded again keyed, black see-through.
    view->modelHollow[0] = 2;
    ASSERT_TRUE(loadUserModelTexture(
        *view, 0, QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath(kDefaultModelTexturePath),
        kDefaultModelTexturePath));
    EXPECT_TRUE(matchesGolden(render(), "model-hollow"));
}

TEST_F(ModelRender, UnitsScaleThePositionAndScaleStretchesAnAxis) {
    model1Close();
    view->modelPosition[0] = {4, 0, -14};
    const QRect ones = inkBounds(render(), qRgb(0, 0, 0), 8);
    view->modelUnits[0] = 2; // x 1/10
    view->modelPosition[0] = {40, 0, -140};
    const QRect tenths = inkBounds(render(), qRgb(0, 0, 0), 8);
    EXPECT_NEAR(tenths.left(), ones.left(), 1);
    EXPECT_NEAR(tenths.right(), ones.right(), 1);
    EXPECT_NEAR(tenths.top(), ones.top(), 1);
    view->modelUnits[0] = 6; // x 1000: far beyond the far plane
    view->modelPosition[0] = {0, 0, -40};
    EXPECT_TRUE(inkBounds(render(), qRgb(0, 0, 0), 8).isEmpty());
    // No such setting: the model is not moved at all, as if its position were 0.
    view->modelUnits[0] = 9;
    const QImage unmoved = render();
    view->modelUnits[0] = 3;
    view->modelPosition[0] = {0, 0, 0};
    EXPECT_EQ(render(), unmoved);

    view->modelUnits[0] = 3;
    view->modelPosition[0] = {0, 0, -30};
    view->modelRotation[0] = {0, 0, 0};
    const QRect normal = inkBounds(render(), qRgb(0, 0, 0), 8);
    view->modelScale[0].x = 100;
    const QRect wide = inkBounds(render(), qRgb(0, 0, 0), 8);
    EXPECT_NEAR(double(wide.width()) / normal.width(), 2.0, 0.2);
    EXPECT_NEAR(wide.height(), normal.height(), 2);
    view->modelScale[0].x = -100; // flattened to nothing across
    EXPECT_LE(inkBounds(render(), qRgb(0, 0, 0), 8).width(), 2);
}

TEST_F(ModelRender, MeshesThatReachPastTheirListsDrawWhatTheyCan) {
    // One object, textured by a material that does not exist, with a face that names a vertex
    // it does not have, texture coordinates promised but absent, and no normals.
    Model3ds& mesh = view->modelMesh[0];
    mesh = Model3ds{};
    mesh.objectCount = 3; // more than the list holds
    Object3ds object;
    object.materialId = 5;
    object.hasTexture = 1;
    object.vertices = {{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}};
    object.vertexCount = 3;
    object.texVertexCount = 3;
    Face3ds good, bad;
    good.vertexIndex[0] = 0;
    good.vertexIndex[1] = 1;
    good.vertexIndex[2] = 2;
    bad.vertexIndex[0] = 0;
    bad.vertexIndex[1] = 70000;
    bad.vertexIndex[2] = -3;
    object.faces = {good, bad};
    object.faceCount = 2;
    mesh.objects.push_back(object);
    mesh.objects.back().materialId = -1;
    mesh.objects.push_back(object);
    EXPECT_EQ(&modelObjectMaterial(mesh, mesh.objects[0]),
              &modelObjectMaterial(mesh, mesh.objects[1]));
    EXPECT_EQ(modelObjectMaterial(mesh, mesh.objects[0]).textureFile[0], '\0');

    view->modelOn[0] = 2;
    view->modelPosition[0] = {0, 0, -6};
    view->modelLighting[0] = 0;
    const QRect triangle = inkBounds(render(), qRgb(0, 0, 0), 8);
    EXPECT_FALSE(triangle.isEmpty());
}

TEST_F(ModelRender, AModelThatFailsToLoadKeepsTheModelTheSlotHad) {
    model1Close();
    const QImage before = render(2); // the first frame after start-up is not yet the steady one
    ASSERT_EQ(render(), before);
    const int objects = view->modelMesh[0].objectCount;
    ASSERT_GT(objects, 0);

    // A missing file, and a file that is no 3DS model, picked by the user and named by a
    // sequence alike.
    QTemporaryDir dir;
    const QString notAModel = dir.filePath("notes.3ds");
    QFile text(notAModel);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("These are not the vertices you are looking for.\n");
    text.close();
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    EXPECT_FALSE(reloadModelMesh(*view, 0, QStringLiteral("model/no-such-model.3ds")));
    EXPECT_FALSE(loadUserModel(*view, 0, notAModel, "Model/notes.3ds"));
    EXPECT_FALSE(reloadModelMesh(*view, 0, notAModel));

    ASSERT_EQ(headless.messages.size(), 3u);
    EXPECT_EQ(headless.messages[0].text, "Unable to find the file: model/no-such-model.3ds!");
    EXPECT_EQ(headless.messages[1].text,
              "Unable to load PRIMARY chuck from file: " + notAModel + "!");
    for (const ScriptedPlatform::Message& m : headless.messages) {
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.icon, MessageIcon::Warning);
    }
    EXPECT_FALSE(headless.splashVisible);
    EXPECT_EQ(view->modelMesh[0].objectCount, objects);
    EXPECT_EQ(view->modelPath[0], kDefaultModelPath); // nothing recorded for the sequence file
    EXPECT_EQ(render(), before);
}

TEST_F(ModelRender, ASequenceNamingTheModelTheSlotHoldsKeepsItWithoutASplash) {
    QTemporaryDir dir;
    const QString copy = dir.filePath("Tardis.3ds");
    ASSERT_TRUE(QFile::copy(QDir(programFolder()).filePath(kDefaultModelPath), copy));
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    // Start-up loaded the default model into every slot: the same file is kept as it is.
    for (int n = 0; n < kModelCount; ++n)
        EXPECT_TRUE(reloadModelMesh(*view, n, QString::fromLatin1(kDefaultModelPath)));
    EXPECT_TRUE(headless.splashTexts.isEmpty());
    EXPECT_EQ(headless.waitedMs, 0);
    // Another file is read, once; changed, it is read again.
    EXPECT_TRUE(reloadModelMesh(*view, 1, copy));
    EXPECT_TRUE(reloadModelMesh(*view, 1, copy));
    EXPECT_EQ(headless.splashTexts, QStringList({"Please Wait:", copy, "Is Now Loading"}));
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_TRUE(reloadModelMesh(*view, 1, copy));
    EXPECT_EQ(headless.splashTexts.size(), 6);
    // A file picked by the user is always read.
    EXPECT_TRUE(loadUserModel(*view, 2, QDir(programFolder()).filePath(kDefaultModelPath),
                              "Model/Tardis.3ds"));
    EXPECT_EQ(headless.splashTexts.size(), 9);
    EXPECT_TRUE(headless.messages.empty());
}
