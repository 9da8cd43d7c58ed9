// Start-up initialisation and the "New" reset with a real GL context: the GL state they leave
// and the scene values that depend on it.
#include "export/ExportSettings.h"
#include "export/FormatTable.h"
#include "platform/ProgramFolder.h"
#include "render/HeadlessContext.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"

#include <GL/gl.h>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

std::array<float, 4> glFloats(GLenum name) {
    std::array<float, 4> values{};
    glGetFloatv(name, values.data());
    return values;
}

std::array<float, 4> lightFloats(GLenum name) {
    std::array<float, 4> values{};
    glGetLightfv(GL_LIGHT0, name, values.data());
    return values;
}

// The first export format that runs at 25 frames per second.
int pal25Preset() {
    for (int preset = 0; exportFormat(preset); ++preset)
        if (exportFormat(preset)->rate == 25) return preset;
    return -1;
}

class SceneStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A profile of the test's own: no random start sequence, the window sized for a
        // 25 frames-per-second format.
        QStandardPaths::setTestModeEnabled(true);
        {
            const auto profile = openProfile();
            writeProfileInt(*profile, kRandomSection, 0);
            writeProfileInt(*profile, kResizeSection, 1);
            writeProfileInt(*profile, kExportPresetSection, pal25Preset());
        }
        savedFolder_ = QDir::currentPath();
        QString error;
        context_ = HeadlessContext::create(&error);
        if (!context_) GTEST_SKIP() << error.toStdString();
        view_ = makeScene();
        initialiseScene(*view_);
        applyStartSettings(*view_);
    }
    void TearDown() override { QDir::setCurrent(savedFolder_); }

    std::unique_ptr<HeadlessContext> context_;
    QString savedFolder_;
    std::unique_ptr<CZoetraView> view_;
};

TEST_F(SceneStartTest, LeavesTheStartUpGlState) {
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE);
    EXPECT_EQ(glFloats(GL_COLOR_CLEAR_VALUE), (std::array<float, 4>{0, 0, 0, 0.5f}));
    EXPECT_EQ(glFloats(GL_LIGHT_MODEL_AMBIENT), (std::array<float, 4>{0.2f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(lightFloats(GL_POSITION), (std::array<float, 4>{0, 5, 10, 1}));
    EXPECT_EQ(lightFloats(GL_AMBIENT), (std::array<float, 4>{0.2f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(lightFloats(GL_DIFFUSE), (std::array<float, 4>{0.3f, 0.3f, 0.3f, 1}));
    EXPECT_EQ(lightFloats(GL_SPECULAR), (std::array<float, 4>{0.8f, 0.8f, 0.8f, 1}));
    float shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 128);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneStartTest, WorksFromTheProgramFolderWithTheTextLayerOn) {
    EXPECT_EQ(QDir::currentPath(), QDir(programFolder()).canonicalPath());
    EXPECT_FLOAT_EQ(view_->sceneVersion, 6.0f);
    // Without a start sequence only the text layer is on, over black.
    EXPECT_FLOAT_EQ(view_->textOn, 2.0f);
    for (float layer : {view_->starsOn, view_->particlesOn, view_->fireOn, view_->tunnelOn,
                        view_->tilesOn, view_->radialBlurOn, view_->motionBlurOn, view_->modelOn[0],
                        view_->modelOn[1], view_->modelOn[2], view_->pictureOn})
        EXPECT_FLOAT_EQ(layer, 0.0f);
    EXPECT_EQ(view_->backgroundColour, Vec3(0, 0, 0));
    EXPECT_EQ(view_->spotColour, Vec3(128, 128, 128));
    EXPECT_EQ(view_->assetPathMode, 2);
    EXPECT_NE(view_->textListBase, 0u);
    EXPECT_EQ(view_->particleCount, 800);
    EXPECT_FLOAT_EQ(view_->particleRebuildRequest, 2.0f);
    // The settings are read before the window is sized from them.
    EXPECT_EQ(view_->randomSequenceAtStart, 0);
    EXPECT_EQ(view_->exportPreset, pal25Preset());
    // The default textures and pictures are loaded from the program folder.
    for (unsigned texture :
         {view_->textUserTexture, view_->starTexture, view_->tunnelTexture,
          view_->reflectionTexture, view_->pictureTexture1, view_->pictureTexture2})
        EXPECT_TRUE(glIsTexture(texture)) << texture;
    EXPECT_EQ(view_->textDefaultTexture, 0u); // the built-in texture of the default object
    EXPECT_EQ(view_->aviFrameRate, 25);
}

TEST_F(SceneStartTest, NewClearsToTransparentBlackAndRebuildsTheGlyphLists) {
    view_->fontFace = "Serif";
    view_->textString = "Other";
    view_->backgroundColour = {40, 50, 60};
    const unsigned picture2Before = view_->pictureTexture2;
    resetScene(*view_);
    // The text textures and picture 2 are loaded afresh.
    EXPECT_TRUE(glIsTexture(view_->textDefaultTexture));
    EXPECT_FLOAT_EQ(view_->textUseDefaultTexture, 2.0f);
    EXPECT_TRUE(glIsTexture(view_->pictureTexture2));
    EXPECT_NE(view_->pictureTexture2, picture2Before);
    EXPECT_EQ(glFloats(GL_COLOR_CLEAR_VALUE), (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_EQ(view_->fontFace, "Arial Black");
    EXPECT_EQ(view_->backgroundColour, Vec3(0, 0, 0));
    EXPECT_TRUE(glIsList(view_->textListBase + 'L'));
    EXPECT_EQ(view_->assetPathMode, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
