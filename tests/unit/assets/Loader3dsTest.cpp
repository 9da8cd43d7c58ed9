// The 3DS import: axes, normals, materials, re-import, messages, splash, and malformed files.
#include "assets/Loader3ds.h"
#include "assets/Parser3ds.h"
#include "assets/Writer3ds.h"
#include "support/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Loader3dsTest : public ::testing::Test {
  protected:
    QString write(const QString& name, const std::vector<uint8_t>& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        return path;
    }

    bool load(Model3ds& model, const std::vector<uint8_t>& bytes) {
        return loader_.import3ds(model, write("m.3ds", bytes));
    }

    ScriptedPlatform platform_;
    PlatformOverride usePlatform_{platform_};
    QTemporaryDir dir_;
    Loader3ds loader_;
};

MeshSpec3ds triangle(const std::string& name, const std::string& material) {
    MeshSpec3ds m;
    m.name = name;
    m.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    m.faces = {{0, 1, 2}};
    m.texVertices = {{0, 0}, {1, 0}, {0, 1}};
    m.material = material;
    return m;
}

Parse3dsReport parse(Model3ds& model, const std::vector<uint8_t>& bytes) {
    return parse3ds(model, bytes.data(), bytes.size());
}

} // namespace

TEST_F(Loader3dsTest, ConvertsFileAxesToZUpBecomingYUp) {
    MeshSpec3ds m = triangle("T", "");
    m.vertices[0] = {1, 2, 3};
    Model3ds model;
    ASSERT_TRUE(load(model, write3ds({}, {m})));
    ASSERT_EQ(model.objectCount, 1);
    const Point3ds& p = model.objects[0].vertices[0];
    EXPECT_FLOAT_EQ(p.x, 1);
    EXPECT_FLOAT_EQ(p.y, 3);
    EXPECT_FLOAT_EQ(p.z, -2);
    EXPECT_STREQ(model.objects[0].name, "T");
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(Loader3dsTest, SharedVerticesGetNegatedAverageOfUnnormalisedFaceNormals) {
    // A folded quad: triangle (0,1,2) lies flat, triangle (0,2,3) is tilted and twice as large.
    MeshSpec3ds m;
    m.name = "Quad";
    m.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 2, 2}};
    m.faces = {{0, 1, 2}, {0, 2, 3}};
    Model3ds model;
    ASSERT_TRUE(load(model, write3ds({}, {m})));
    const Object3ds& o = model.objects[0];
    // In program axes P=(0,0,0) Q=(1,0,0) R=(1,0,-1): n1 = (P-R)x(R-Q) = (0,-1,0).
    // Second face P=(0,0,0) Q=(1,0,-1) R=(0,2,-2): a=(0,-2,2), b=(-1,2,-1), n2 = (-2,-2,-2).
    // Shared vertices 0 and 2: -(n1+n2)/2 = (1, 1.5, 1) before normalising.
    const float len = std::sqrt(1 + 2.25f + 1);
    for (int v : {0, 2}) {
        EXPECT_NEAR(o.normals[size_t(v)].x, 1 / len, 1e-5) << v;
        EXPECT_NEAR(o.normals[size_t(v)].y, 1.5f / len, 1e-5) << v;
        EXPECT_NEAR(o.normals[size_t(v)].z, 1 / len, 1e-5) << v;
    }
    EXPECT_NEAR(o.normals[1].y, 1, 1e-6); // only the flat face: straight up
    const float l3 = std::sqrt(3.0f);
    EXPECT_NEAR(o.normals[3].x, 1 / l3, 1e-5);
}

TEST_F(Loader3dsTest, UnusedVertexAndDegenerateFaceGiveFiniteNormals) {
    MeshSpec3ds m = triangle("T", "");
    m.vertices.push_back({5, 5, 5});
    m.texVertices.push_back({0, 0});
    m.faces.push_back({0, 0, 1}); // names vertex 0 twice: counts once, adds nothing
    Model3ds model;
    ASSERT_TRUE(load(model, write3ds({}, {m})));
    for (const Point3ds& n : model.objects[0].normals)
        EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1, 1e-5);
    EXPECT_NEAR(model.objects[0].normals[0].y, 1, 1e-5);
}

TEST_F(Loader3dsTest, FaceMaterialFindsMaterialAndTextureFlag) {
    const std::vector<MaterialSpec3ds> mats{{"Plain", "", {10, 20, 30}},
                                            {"Mapped", "wood.jpg", {40, 50, 60}}};
    Model3ds model;
    ASSERT_TRUE(load(model, write3ds(mats, {triangle("A", "Mapped"), triangle("B", "Plain"),
                                            triangle("C", "mapped"), triangle("D", "")})));
    ASSERT_EQ(model.objectCount, 4);
    ASSERT_EQ(model.materialCount, 2);
    EXPECT_STREQ(model.materials[1].textureFile, "wood.jpg");
    EXPECT_EQ(model.materials[1].colour[0], 40);
    EXPECT_EQ(model.objects[0].materialId, 1);
    EXPECT_EQ(model.objects[0].hasTexture, 1);
    EXPECT_EQ(model.objects[1].materialId, 0);
    EXPECT_EQ(model.objects[1].hasTexture, 0);
    EXPECT_EQ(model.objects[2].materialId, -1); // names compare case-sensitively
    EXPECT_EQ(model.objects[2].hasTexture, 0);
    EXPECT_EQ(model.objects[3].materialId, 0); // no face-material list: stays as made
}

TEST_F(Loader3dsTest, ReimportReplacesObjectsAndKeepsEarlierMaterials) {
    Model3ds model;
    const std::vector<MaterialSpec3ds> first{{"Skin", "", {1, 2, 3}}};
    ASSERT_TRUE(load(model, write3ds(first, {triangle("A", "Skin"), triangle("B", "Skin"),
                                             triangle("C", "Skin")})));
    ASSERT_EQ(model.objectCount, 3);
    model.objectCount = 0;
    const std::vector<MaterialSpec3ds> second{{"Other", "", {0, 0, 0}},
                                              {"Skin", "x.jpg", {9, 9, 9}}};
    ASSERT_TRUE(load(model, write3ds(second, {triangle("New", "Skin")})));
    EXPECT_EQ(model.objectCount, 1);
    EXPECT_STREQ(model.objects[0].name, "New");
    EXPECT_EQ(model.materialCount, 3);
    EXPECT_EQ(model.objects[0].materialId, 0); // the earlier "Skin", which has no map
    EXPECT_EQ(model.objects[0].hasTexture, 0);
}

TEST_F(Loader3dsTest, VersionAboveThreeWarnsOnceAndLoads) {
    Model3ds model;
    ASSERT_TRUE(load(model, write3ds({}, {triangle("T", "")}, 4)));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].text,
              "This 3DS file is over version 3 so it may load incorrectly");
    EXPECT_EQ(platform_.messages[0].caption, "Warning");
    EXPECT_EQ(platform_.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(model.objectCount, 1);
}

TEST_F(Loader3dsTest, SplashShowsItsThreeLinesWithWaitsAndHides) {
    Model3ds model;
    const QString path = write("box.3ds", write3ds({}, {triangle("T", "")}));
    ASSERT_TRUE(loader_.import3ds(model, path));
    EXPECT_EQ(platform_.splashTexts, QStringList({"Please Wait:", path, "Is Now Loading"}));
    EXPECT_EQ(platform_.waitedMs, 3 * kSplashStepMs);
    EXPECT_FALSE(platform_.splashVisible);
}

TEST_F(Loader3dsTest, WrongFirstChunkGivesPrimaryMessageAndHidesSplash) {
    std::vector<uint8_t> bytes = write3ds({}, {triangle("T", "")});
    bytes[0] = 0x3D; // first chunk now 0x4D3D
    Model3ds model;
    const QString path = write("bad.3ds", bytes);
    EXPECT_FALSE(loader_.import3ds(model, path));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].text, "Unable to load PRIMARY chuck from file: " + path + "!");
    EXPECT_EQ(platform_.messages[0].caption, "Error");
    // The load failed and the slot keeps what it had: a warning, not an error.
    EXPECT_EQ(platform_.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(platform_.splashVisible);
    EXPECT_EQ(model.objectCount, 0);
}

TEST_F(Loader3dsTest, MissingFileLeavesModelAndShowsNoSplash) {
    Model3ds model;
    model.objectCount = 2;
    model.objects.resize(2);
    EXPECT_FALSE(loader_.import3ds(model, QString("nowhere/none.3ds")));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].text, "Unable to find the file: nowhere/none.3ds!");
    EXPECT_EQ(platform_.messages[0].caption, "Error");
    EXPECT_EQ(platform_.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(platform_.splashTexts.isEmpty());
    EXPECT_EQ(model.objectCount, 2);
}

TEST_F(Loader3dsTest, KnowsWhetherItHoldsAFileUnchanged) {
    const QString path = write("box.3ds", write3ds({}, {triangle("T", "")}));
    EXPECT_FALSE(loader_.holdsUnchanged(path)); // nothing read yet
    Model3ds model;
    ASSERT_TRUE(loader_.import3ds(model, path));
    EXPECT_TRUE(loader_.holdsUnchanged(path));
    EXPECT_TRUE(loader_.holdsUnchanged(dir_.filePath("./box.3ds"))); // the same file
    EXPECT_FALSE(loader_.holdsUnchanged(write("copy.3ds", write3ds({}, {triangle("T", "")}))));

    // A new modification time, or a new size, is a changed file.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    ASSERT_TRUE(file.setFileTime(modified.addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(loader_.holdsUnchanged(path));
    ASSERT_TRUE(loader_.import3ds(model, path));
    EXPECT_TRUE(loader_.holdsUnchanged(path));
    write("box.3ds", write3ds({}, {triangle("T", ""), triangle("U", "")}));
    QFile rewritten(path);
    ASSERT_TRUE(rewritten.open(QIODevice::ReadWrite));
    ASSERT_TRUE(rewritten.setFileTime(modified.addSecs(-60), QFileDevice::FileModificationTime));
    rewritten.close();
    EXPECT_FALSE(loader_.holdsUnchanged(path)); // the same time, another size

    // A failed import leaves what the loader holds as it was.
    const QString bad = write("bad.3ds", std::vector<uint8_t>(32, 0x3D));
    EXPECT_FALSE(loader_.import3ds(model, bad));
    EXPECT_FALSE(loader_.holdsUnchanged(bad));
    EXPECT_FALSE(loader_.holdsUnchanged(dir_.filePath("gone.3ds")));
}

TEST_F(Loader3dsTest, DefaultModelLoads) {
    const QString home = qEnvironmentVariable("LUMATOY_HOME");
    ASSERT_FALSE(home.isEmpty());
    Model3ds model;
    ASSERT_TRUE(loader_.import3ds(model, QDir(home).filePath("model/Tardis.3ds")));
    EXPECT_TRUE(platform_.messages.empty());
    ASSERT_GE(model.objectCount, 2);
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_STRNE(model.materials[0].textureFile, "");
    for (int i = 0; i < model.objectCount; ++i) {
        const Object3ds& o = model.objects[size_t(i)];
        EXPECT_GT(o.faceCount, 0);
        EXPECT_EQ(o.texVertexCount, o.vertexCount);
        EXPECT_EQ(o.hasTexture, 1);
        EXPECT_EQ(o.normals.size(), size_t(o.vertexCount));
    }
}

// --- malformed input: the parser keeps what is sound and never reads past a chunk ---

TEST(Parser3ds, EveryTruncationOfAValidFileIsSafe) {
    const std::vector<uint8_t> full =
        write3ds({{"M", "t.jpg", {1, 2, 3}}}, {triangle("A", "M"), triangle("B", "M")});
    for (size_t n = 0; n < full.size(); ++n) {
        Model3ds model;
        const std::vector<uint8_t> cut(full.begin(), full.begin() + long(n));
        const Parse3dsReport r = parse(model, cut);
        EXPECT_EQ(r.primary, n >= 6) << n;
        for (int i = 0; i < model.objectCount; ++i) {
            const Object3ds& o = model.objects[size_t(i)];
            EXPECT_EQ(o.vertices.size(), size_t(o.vertexCount));
            EXPECT_EQ(o.normals.size(), size_t(o.vertexCount));
            for (const Face3ds& f : o.faces)
                for (int v : f.vertexIndex)
                    EXPECT_LT(v, o.vertexCount);
        }
    }
}

TEST(Parser3ds, OutOfRangeFacesAreDroppedAndTexCoordsMatchVertices) {
    MeshSpec3ds m = triangle("T", "");
    m.faces.push_back({0, 1, 7});
    m.texVertices.pop_back();
    Model3ds model;
    const Parse3dsReport r = parse(model, write3ds({}, {m}));
    const Object3ds& o = model.objects[0];
    EXPECT_EQ(r.droppedFaces, 1);
    EXPECT_EQ(o.faceCount, 1);
    EXPECT_EQ(o.texVertexCount, 3);
    EXPECT_EQ(o.texVertices.size(), 3u);
}

TEST(Parser3ds, CountsLargerThanTheChunkAreCut) {
    ChunkWriter3ds w;
    w.begin(chunk3ds::kPrimary);
    w.begin(chunk3ds::kEditor);
    w.begin(chunk3ds::kObject);
    w.string("Big");
    w.begin(chunk3ds::kTriangleMesh);
    w.begin(chunk3ds::kVertexList);
    w.u16(60000); // claims 60000 points, holds 2
    for (int i = 0; i < 6; ++i)
        w.f32(float(i));
    w.end();
    w.end();
    w.end();
    w.end();
    w.end();
    Model3ds model;
    parse(model, w.bytes());
    ASSERT_EQ(model.objectCount, 1);
    EXPECT_EQ(model.objects[0].vertexCount, 2);
}

TEST(Parser3ds, LongAndUnterminatedNamesAreCut) {
    const std::string longName(400, 'n');
    ChunkWriter3ds w;
    w.begin(chunk3ds::kPrimary);
    w.begin(chunk3ds::kMaterial);
    w.begin(chunk3ds::kMaterialName);
    for (char c : longName)
        w.u8(uint8_t(c)); // no NUL
    w.end();
    w.end();
    w.begin(chunk3ds::kObject);
    for (char c : longName)
        w.u8(uint8_t(c)); // no NUL: the name runs to the chunk's end
    w.end();
    w.end();
    Model3ds model;
    parse(model, w.bytes());
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_EQ(std::string(model.materials[0].name), std::string(254, 'n'));
    ASSERT_EQ(model.objectCount, 1);
    EXPECT_EQ(std::string(model.objects[0].name), std::string(254, 'n'));
}

TEST(Parser3ds, BadChunkLengthsEndTheWalkWithoutHanging) {
    ChunkWriter3ds w;
    w.begin(chunk3ds::kPrimary);
    w.begin(chunk3ds::kEditor);
    w.u16(chunk3ds::kObject); // a child claiming a length of 2, shorter than its header
    w.u32(2);
    w.end();
    w.end();
    std::vector<uint8_t> bytes = w.bytes();
    Model3ds model;
    EXPECT_TRUE(parse(model, bytes).primary);
    EXPECT_EQ(model.objectCount, 0);
    // A primary chunk claiming far more than the file holds is read up to the file's end.
    bytes = write3ds({}, {triangle("T", "")});
    bytes[2] = bytes[3] = bytes[4] = bytes[5] = 0xFF;
    Model3ds model2;
    parse(model2, bytes);
    EXPECT_EQ(model2.objectCount, 1);
}

TEST(Parser3ds, DeepNestingIsBounded) {
    ChunkWriter3ds w;
    w.begin(chunk3ds::kPrimary);
    for (int i = 0; i < 5000; ++i)
        w.begin(chunk3ds::kEditor);
    for (int i = 0; i < 5000; ++i)
        w.end();
    w.end();
    Model3ds model;
    EXPECT_TRUE(parse(model, w.bytes()).primary);
}

TEST(Parser3ds, FloatColourSubChunkIsRead) {
    ChunkWriter3ds w;
    w.begin(chunk3ds::kPrimary);
    w.begin(chunk3ds::kMaterial);
    w.begin(chunk3ds::kDiffuse);
    w.begin(chunk3ds::kColourFloat);
    w.f32(1.0f);
    w.f32(0.5f);
    w.f32(0.0f);
    w.end();
    w.end();
    w.end();
    w.end();
    Model3ds model;
    parse(model, w.bytes());
    ASSERT_EQ(model.materialCount, 1);
    EXPECT_EQ(model.materials[0].colour[0], 255);
    EXPECT_EQ(model.materials[0].colour[1], 128);
    EXPECT_EQ(model.materials[0].colour[2], 0);
}

// A file written by another program's 3DS exporter (an OBJ cube face set and a plate, with a
// textured and a plain material); the counts and names are what an established reader reports.
TEST_F(Loader3dsTest, FileFromAnotherExporterLoads) {
    Model3ds model;
    ASSERT_TRUE(loader_.import3ds(model, testDataDir() + "/3ds/assimp-export.3ds"));
    EXPECT_TRUE(platform_.messages.empty());
    ASSERT_EQ(model.objectCount, 2);
    ASSERT_EQ(model.materialCount, 3);
    EXPECT_STREQ(model.materials[1].name, "Wood_1");
    EXPECT_STREQ(model.materials[1].textureFile, "wood.jpg");
    EXPECT_STREQ(model.materials[2].name, "Steel_2");
    EXPECT_STREQ(model.materials[2].textureFile, "");
    const Object3ds& cube = model.objects[0];
    EXPECT_STREQ(cube.name, "Cube_Cube_0");
    EXPECT_EQ(cube.faceCount, 6);
    EXPECT_EQ(cube.vertexCount, 10);
    EXPECT_EQ(cube.texVertexCount, 10);
    EXPECT_EQ(cube.materialId, 1);
    EXPECT_EQ(cube.hasTexture, 1);
    const Object3ds& plate = model.objects[1];
    EXPECT_STREQ(plate.name, "Plate_Plate_1");
    EXPECT_EQ(plate.faceCount, 1);
    EXPECT_EQ(plate.vertexCount, 3);
    EXPECT_EQ(plate.texVertexCount, 0);
    EXPECT_EQ(plate.materialId, 2);
    EXPECT_EQ(plate.hasTexture, 0);
}
