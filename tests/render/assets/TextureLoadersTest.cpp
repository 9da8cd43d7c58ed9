// The texture loaders in a real GL context: start-up loads, keying, uploads, reloads, targets.
#include "assets/TextureLoaders.h"
#include "assets/TgaTexture.h"
#include "effects/EffectLoads.h"
#include "effects/Effects.h"
#include "effects/TextureSlots.h"
#include "effects/blur/BlurLayer.h"
#include "effects/models/ModelEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/text/TextEffect.h"
#include "effects/tiles/TileEffect.h"
#include "render/HeadlessContext.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"

#include <GL/gl.h>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TextureLoaders : public ::testing::Test {
  protected:
    void SetUp() override {
        QString error;
        context_ = HeadlessContext::create(&error);
        if (!context_) GTEST_SKIP() << error.toStdString();
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(qEnvironmentVariable("LUMATOY_HOME"));
        view_ = makeScene();
    }
    void TearDown() override {
        if (!previousFolder_.isEmpty()) QDir::setCurrent(previousFolder_);
    }

    static QSize levelSize(unsigned name) {
        glBindTexture(GL_TEXTURE_2D, name);
        GLint w = 0, h = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        return {w, h};
    }
    static GLint internalFormat(unsigned name) {
        glBindTexture(GL_TEXTURE_2D, name);
        GLint f = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &f);
        return f;
    }
    // A texture made with "3 components" reports 3 or GL_RGB, as the driver likes.
    static bool threeComponents(unsigned name) {
        const GLint f = internalFormat(name);
        return f == 3 || f == GL_RGB || f == GL_RGB8;
    }
    static std::vector<uint8_t> rgba(unsigned name, QSize size) {
        std::vector<uint8_t> pixels(size_t(size.width() * size.height() * 4));
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    std::unique_ptr<HeadlessContext> context_;
    QString previousFolder_;
    ScriptedPlatform platform_;
    PlatformOverride usePlatform_{platform_};
    std::unique_ptr<CZoetraView> view_;
};

} // namespace

TEST_F(TextureLoaders, StartUpLoadsEveryDefaultWithoutAMessage) {
    CZoetraView& v = *view_;
    glBindTexture(GL_TEXTURE_2D, 0);
    uploadBuiltInTextTexture(v);
    EXPECT_NE(v.textUserTexture, 0u);
    EXPECT_EQ(levelSize(0), QSize(64, 64)); // the default texture object shows the built-in one
    for (const EffectDescriptor* effect : allEffects())
        if (effect->loadDefaults) effect->loadDefaults(v, effectLoads());
    v.assetPathMode = 2;
    createBlurTargets(v);
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    const std::vector<unsigned> names{
        v.textUserTexture,   v.starTexture,       v.starTexture2,      v.fireTexture,
        v.tunnelTexture,     v.tileTexture1,      v.tileTexture2,      v.modelTexture1,
        v.modelTexture2,     v.modelTexture3,     v.reflectionTexture, v.pictureTexture1,
        v.pictureTexture2,   v.radialBlurTexture, v.modelBlurTexture1, v.modelBlurTexture2,
        v.modelBlurTexture3, v.motionBlurTexture};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(glIsTexture(names[i])) << i;
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(names[i], names[j]) << i << " " << j;
    }
    EXPECT_EQ(v.textDefaultTexture, 0u);
    EXPECT_EQ(levelSize(v.textUserTexture), QSize(256, 256));
    EXPECT_TRUE(threeComponents(v.textUserTexture));          // mipmapped: alpha dropped
    EXPECT_EQ(levelSize(v.pictureTexture1), QSize(512, 512)); // 512 x 384: 384 rounds up
    EXPECT_EQ(internalFormat(v.pictureTexture1), GL_RGBA);
    EXPECT_EQ(v.pictureNaturalSize[0].width, 13547); // 512 px at 96 dpi in 0.01 mm
    EXPECT_EQ(levelSize(v.radialBlurTexture), QSize(512, 512));
    EXPECT_TRUE(threeComponents(v.motionBlurTexture));
    EXPECT_EQ(v.assetPathMode, 2);

    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(v.modelMesh[i].objectCount, 4) << i;
        EXPECT_EQ(v.modelMesh[i].materialCount, 1) << i;
    }
    EXPECT_EQ(platform_.splashTexts.size(), 9); // three lines for each of the three models
    EXPECT_EQ(v.particleSystem.textured, 1);
    EXPECT_TRUE(glIsTexture(v.particleSystem.texture));
}

TEST_F(TextureLoaders, KeyedTextureMakesOnlyPureBlackTransparent) {
    QTemporaryDir dir;
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 1));
    img.setPixel(0, 0, qRgb(0, 0, 0));
    const QString file = dir.filePath("keyed.png");
    ASSERT_TRUE(img.save(file));
    CZoetraView& v = *view_;
    v.assetPathMode = 2;
    unsigned slot = 0;
    ASSERT_TRUE(loadKeyedTexture(v, file.toLocal8Bit().constData(), slot));
    ASSERT_EQ(levelSize(slot), QSize(4, 4));
    EXPECT_EQ(internalFormat(slot), GL_RGBA);
    const std::vector<uint8_t> px = rgba(slot, {4, 4});
    EXPECT_EQ(px[size_t((3 * 4 + 0) * 4 + 3)], 0); // top-left of the picture: last texture row
    EXPECT_EQ(px[size_t((3 * 4 + 1) * 4 + 3)], 255);
    EXPECT_EQ(px[size_t(0 * 4 + 3)], 255);
}

TEST_F(TextureLoaders, ReloadChangesTheNameAndFailuresKeepTheSlot) {
    CZoetraView& v = *view_;
    v.assetPathMode = 0; // rule A: under the working folder
    unsigned slot = 0;
    ASSERT_TRUE(loadMipmappedTexture(v, "Textures/Gold.jpg", slot));
    const unsigned first = slot;
    ASSERT_TRUE(loadMipmappedTexture(v, "Textures/Gold.jpg", slot));
    EXPECT_NE(slot, first);
    EXPECT_FALSE(glIsTexture(first)); // the replaced texture is released
    const unsigned second = slot;
    EXPECT_FALSE(loadKeyedTexture(v, "Textures/none.jpg", slot));
    EXPECT_FALSE(loadPictureTexture(v, 1, "Images/none.jpg"));
    EXPECT_EQ(slot, second);
    EXPECT_TRUE(glIsTexture(second));
}

TEST_F(TextureLoaders, UserLoadsGoThroughAssetPath) {
    CZoetraView& v = *view_;
    const QString dog = QDir::current().filePath("Images/sleeping-dog.jpg");
    v.pictureSelector = 2;
    ASSERT_TRUE(loadUserPicture(v, dog, "Images/sleeping-dog.jpg"));
    EXPECT_EQ(QString::fromLocal8Bit(v.assetPath), dog);
    EXPECT_EQ(v.assetPathMode, 2);
    EXPECT_NE(v.pictureTexture2, 0u);
    EXPECT_EQ(v.pictureTexture1, 0u);
    EXPECT_EQ(v.picturePath2, "Images/sleeping-dog.jpg");
    EXPECT_GT(v.pictureNaturalSize[1].width, 0);

    v.modelHollow[1] = 2; // hollow: keyed, RGBA
    ASSERT_TRUE(loadUserModelTexture(v, 1, QDir::current().filePath("Textures/TardisImages3.jpg"),
                                     "Textures/TardisImages3.jpg"));
    EXPECT_EQ(internalFormat(v.modelTexture2), GL_RGBA);

    ASSERT_TRUE(loadUserParticleSprite(v, QDir::current().filePath("Particles/particle.tga"),
                                       "Particles/particle.tga"));
    EXPECT_EQ(v.particleSystem.textured, 1);
    EXPECT_EQ(v.particleTextureChosen, 2.0f);
    EXPECT_EQ(v.particleTextureName, "Particles/particle.tga");

    // A path too long for assetPath is cut, and the cut path names no file: nothing recorded.
    const QString longPath = "/" + QString(400, 'x') + ".jpg";
    EXPECT_FALSE(loadUserTileTexture(v, 0, longPath, "Textures/x.jpg"));
    EXPECT_EQ(qstrlen(v.assetPath), 249u);
    EXPECT_EQ(v.tileTextureName1, "");

    ASSERT_TRUE(
        loadUserModel(v, 0, QDir::current().filePath("model/Tardis.3ds"), "Model/Tardis.3ds"));
    ASSERT_TRUE(
        loadUserModel(v, 0, QDir::current().filePath("model/Tardis.3ds"), "Model/Tardis.3ds"));
    EXPECT_EQ(v.modelMesh[0].objectCount, 4);
    EXPECT_EQ(v.modelMesh[0].materialCount, 2); // materials are kept across re-imports
    EXPECT_EQ(v.modelPath[0], "Model/Tardis.3ds");
    EXPECT_EQ(v.modelLoaded[0], 2.0f);
}

TEST_F(TextureLoaders, TgaTextureFormats) {
    TgaTexture t;
    ASSERT_TRUE(t.load("Particles/particle.tga", nullptr, false));
    EXPECT_EQ(t.format, unsigned(GL_RGB));
    EXPECT_EQ(levelSize(t.textureName), QSize(t.width, t.height));
    EXPECT_TRUE(t.colourFile.has_value());
    EXPECT_FALSE(t.alphaFile.has_value());
    TgaTexture missing;
    EXPECT_FALSE(missing.load("Particles/none.tga", nullptr, true));
    EXPECT_TRUE(missing.lastError.endsWith("Reason: Failed to load RGB file."));
}
