// The program folder and the resolution of stored relative paths.
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class ProgramPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        touch(root + "/model/Tardis.3ds");
        touch(root + "/Textures/Gold.jpg");
        touch(root + "/Sequences/My Show.lmt");
    }
    QTemporaryDir dir;
    QString root;
};

TEST_F(ProgramPathTest, ExactPathsResolveUnderTheBase) {
    EXPECT_EQ(resolveProgramPath("Textures/Gold.jpg", root), root + "/Textures/Gold.jpg");
    EXPECT_EQ(resolveProgramPath("./Sequences/My Show.lmt", root), root + "/Sequences/My Show.lmt");
}

TEST_F(ProgramPathTest, BackslashesAndOtherCaseFindTheFile) {
    EXPECT_EQ(resolveProgramPath("Model\\tardis.3DS", root), root + "/model/Tardis.3ds");
    EXPECT_EQ(resolveProgramPath("TEXTURES/gold.JPG", root), root + "/Textures/Gold.jpg");
    EXPECT_EQ(resolveProgramPath(".\\sequences\\my show.LMT", root),
              root + "/Sequences/My Show.lmt");
}

TEST_F(ProgramPathTest, MissingComponentsAreKeptAsWritten) {
    EXPECT_EQ(resolveProgramPath("model/Missing/Tardis.3ds", root),
              root + "/model/Missing/Tardis.3ds");
    EXPECT_EQ(resolveProgramPath("Nowhere\\x.jpg", root), root + "/Nowhere/x.jpg");
}

TEST_F(ProgramPathTest, AbsolutePathsAndAddressesAreNotRebased) {
    EXPECT_EQ(resolveProgramPath(root + "/textures/gold.jpg", "/elsewhere"),
              root + "/Textures/Gold.jpg");
    EXPECT_EQ(resolveProgramPath("http://example.org/a.jpg", root), "http://example.org/a.jpg");
}

TEST_F(ProgramPathTest, ProgramFolderFollowsLumatoyHome) {
    const QByteArray saved = qgetenv("LUMATOY_HOME");
    qputenv("LUMATOY_HOME", root.toLocal8Bit());
    EXPECT_EQ(programFolder(), QDir(root).absolutePath());
    EXPECT_EQ(resolveProgramPath("Model/TARDIS.3ds"), root + "/model/Tardis.3ds");
    qunsetenv("LUMATOY_HOME");
    EXPECT_FALSE(programFolder().isEmpty());
    EXPECT_NE(programFolder(), QDir(root).absolutePath());
    if (!saved.isEmpty()) qputenv("LUMATOY_HOME", saved);
}

TEST(ProgramFolderBeside, ABuildTreeAndAnUnpackedInstallFindTheirOwnData) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A build tree: the data sit beside the executable.
    touch(dir.path() + "/build/bin/Textures/Gold.jpg");
    EXPECT_EQ(programFolderBeside(dir.path() + "/build/bin"), dir.path() + "/build/bin");
    // An installed tree unpacked anywhere: usr/bin/ and usr/share/lumatoy/.
    touch(dir.path() + "/unpacked/usr/share/lumatoy/Textures/Gold.jpg");
    QDir().mkpath(dir.path() + "/unpacked/usr/bin");
    EXPECT_EQ(programFolderBeside(dir.path() + "/unpacked/usr/bin"),
              dir.path() + "/unpacked/usr/share/lumatoy");
    // Neither: the folder the build was configured to install into.
    QDir().mkpath(dir.path() + "/bare/bin");
    EXPECT_EQ(programFolderBeside(dir.path() + "/bare/bin"),
              QDir(QStringLiteral(LUMATOY_DATA_DIR)).absolutePath());
}

} // namespace
