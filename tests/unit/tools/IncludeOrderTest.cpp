// The folders of src/ include downwards only; a planted upward include is found.
#include "IncludeOrder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void write(const fs::path& root, const std::string& file, const std::string& text) {
    fs::create_directories((root / file).parent_path());
    std::ofstream(root / file) << text;
}

std::string report(const std::vector<IncludeViolation>& violations) {
    std::string text;
    for (const IncludeViolation& v : violations)
        text += describe(v) + "\n";
    return text;
}

// A small tree in the shape of src/: the scene record with one block, an effect, the renderer.
struct PlantedTree : ::testing::Test {
    QTemporaryDir dir;
    fs::path root;
    void SetUp() override {
        root = dir.path().toStdString();
        write(root, "scene/CZoetraView.h", "#include \"effects/stars/StarBlock.h\"\n");
        write(root, "effects/stars/StarBlock.h", "#include \"scene/Vec3.h\"\n");
        write(root, "scene/Vec3.h", "");
        write(root, "effects/stars/StarLayer.cpp",
              "#include \"effects/stars/StarLayer.h\"\n#include \"scene/CZoetraView.h\"\n");
        write(root, "effects/stars/StarLayer.h", "");
        write(root, "render/FrameComposer.h", "");
        write(root, "render/FrameComposer.cpp",
              "#include \"render/FrameComposer.h\"\n#include \"effects/stars/StarLayer.h\"\n"
              "#include <GL/gl.h>\n");
        write(root, "platform/Platform.cpp", "#include \"effects/stars/StarBlock.h\"\n");
    }
};

} // namespace

TEST(IncludeOrder, HoldsForTheProgram) {
    const auto violations = checkIncludeOrder(LUMATOY_SOURCE_DIR);
    EXPECT_TRUE(violations.empty()) << report(violations);
}

TEST_F(PlantedTree, DownwardIncludesAndDataHeadersPass) {
    // The renderer includes an effect; the platform a block the scene record is made of.
    EXPECT_TRUE(checkIncludeOrder(root).empty()) << report(checkIncludeOrder(root));
}

TEST_F(PlantedTree, AnUpwardIncludeIsFound) {
    write(root, "effects/stars/StarLayer.cpp",
          "#include \"effects/stars/StarLayer.h\"\n\n#include \"render/FrameComposer.h\"\n");
    const auto violations = checkIncludeOrder(root);
    ASSERT_EQ(violations.size(), 1u) << report(violations);
    EXPECT_EQ(violations[0].file, "effects/stars/StarLayer.cpp");
    EXPECT_EQ(violations[0].line, 3);
    EXPECT_EQ(violations[0].header, "render/FrameComposer.h");
}

TEST_F(PlantedTree, ABlockCannotSmuggleAHigherHeaderIntoTheSceneRecord) {
    write(root, "effects/stars/StarBlock.h", "#include \"render/FrameComposer.h\"\n");
    const auto violations = checkIncludeOrder(root);
    ASSERT_FALSE(violations.empty());
    EXPECT_NE(report(violations).find("render/FrameComposer.h"), std::string::npos)
        << report(violations);
}

TEST_F(PlantedTree, AFolderOutsideTheOrderIsReported) {
    write(root, "misc/Helper.cpp", "");
    const auto violations = checkIncludeOrder(root);
    ASSERT_EQ(violations.size(), 1u) << report(violations);
    EXPECT_EQ(violations[0].file, "misc/Helper.cpp");
}

TEST_F(PlantedTree, ACoreFolderCannotIncludeAWidgetFolder) {
    write(root, "export/CMakeLists.txt", "target_sources(lumatoy_core PRIVATE Run.cpp)\n");
    write(root, "export/ui/CMakeLists.txt", "target_sources(lumatoy_ui PRIVATE Dialog.cpp)\n");
    write(root, "export/Settings.h", "");
    write(root, "export/ui/Dialog.h", "");
    // The widgets may use the core of their own folder...
    write(root, "export/ui/Dialog.cpp",
          "#include \"export/ui/Dialog.h\"\n#include \"export/Settings.h\"\n");
    EXPECT_TRUE(checkIncludeOrder(root).empty()) << report(checkIncludeOrder(root));
    // ...but the core folder beside them may not use them, although both are "export".
    write(root, "export/Run.cpp",
          "#include \"export/Settings.h\"\n#include \"export/ui/Dialog.h\"\n");
    const auto violations = checkIncludeOrder(root);
    ASSERT_EQ(violations.size(), 1u) << report(violations);
    EXPECT_EQ(violations[0].file, "export/Run.cpp");
    EXPECT_EQ(violations[0].line, 2);
    EXPECT_EQ(violations[0].header, "export/ui/Dialog.h");
}

TEST_F(PlantedTree, AFolderFeedsOneLibrary) {
    write(root, "render/CMakeLists.txt",
          "target_sources(lumatoy_core PRIVATE FrameComposer.cpp)\n"
          "target_sources(lumatoy_ui PRIVATE Window.cpp)\n");
    const auto violations = checkIncludeOrder(root);
    ASSERT_EQ(violations.size(), 1u) << report(violations);
    EXPECT_EQ(violations[0].file, "render/CMakeLists.txt");
}
