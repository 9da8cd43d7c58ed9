// Writes every default asset into the program folder given on the command line.
#include "DefaultPictures.h"
#include "assets/Writer3ds.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

QString g_root;

bool writeBytes(const QString& relative, const QByteArray& bytes) {
    const QString path = QDir(g_root).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeImage(const QString& relative, const QImage& image, int quality = 92) {
    const QString path = QDir(g_root).filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, nullptr, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Uncompressed true-colour TGA, 24 bits, rows bottom-up, blue-green-red.
QByteArray tga24(const QImage& image) {
    QByteArray out;
    const char header[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    out.append(header, 12);
    const int w = image.width(), h = image.height();
    const char info[6] = {char(w & 255), char(w >> 8), char(h & 255), char(h >> 8), 24, 0};
    out.append(info, 6);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            out.append(char(qBlue(p)));
            out.append(char(qGreen(p)));
            out.append(char(qRed(p)));
        }
    return out;
}

// A box in the file's axes (z up): 4 corners per side so each side carries the whole texture.
MeshSpec3ds box(const std::string& name, float cx, float cy, float z0, float w, float d, float h,
                const std::string& material) {
    MeshSpec3ds mesh;
    mesh.name = name;
    mesh.material = material;
    const float x0 = cx - w / 2, x1 = cx + w / 2, y0 = cy - d / 2, y1 = cy + d / 2, z1 = z0 + h;
    // Each side counter-clockwise seen from outside: bottom-left, bottom-right, top-right,
    // top-left.
    const Point3ds sides[6][4] = {
        {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}, // front (-y)
        {{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}}, // right (+x)
        {{x1, y1, z0}, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}}, // back (+y)
        {{x0, y1, z0}, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}}, // left (-x)
        {{x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}}, // top (+z)
        {{x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0}, {x0, y0, z0}}, // bottom (-z)
    };
    const TexCoord3ds uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& side : sides) {
        const uint16_t base = uint16_t(mesh.vertices.size());
        for (int i = 0; i < 4; ++i) {
            mesh.vertices.push_back(side[i]);
            mesh.texVertices.push_back(uv[i]);
        }
        mesh.faces.push_back({base, uint16_t(base + 1), uint16_t(base + 2)});
        mesh.faces.push_back({base, uint16_t(base + 2), uint16_t(base + 3)});
    }
    return mesh;
}

QByteArray boxModel() {
    const std::vector<MaterialSpec3ds> materials{
        {"BoxBlue", "TardisImages3.jpg", {30, 60, 160}},
    };
    const std::vector<MeshSpec3ds> meshes{
        box("Base", 0, 0, -5.4f, 4.6f, 4.6f, 0.4f, "BoxBlue"),
        box("Body", 0, 0, -5.0f, 4.0f, 4.0f, 8.0f, "BoxBlue"),
        box("Roof", 0, 0, 3.0f, 4.4f, 4.4f, 0.6f, "BoxBlue"),
        box("Lamp", 0, 0, 3.6f, 0.6f, 0.6f, 1.0f, "BoxBlue"),
    };
    const std::vector<uint8_t> bytes = write3ds(materials, meshes);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    ok &= writeImage("Textures/Gold.jpg", makeGoldTexture());
    ok &= writeImage("Textures/pollav.jpg", makeTunnelTexture());
    ok &= writeImage("Textures/TardisImages3.jpg", makeBoxPanelTexture());
    ok &= writeImage("Particles/Star.bmp", makeStarSprite());
    ok &= writeImage("Particles/Fire.bmp", makeFireSprite());
    ok &= writeBytes("Particles/particle.tga", tga24(makeParticleSprite()));
    ok &= writeImage("Particles/Envroll.bmp", makeEnvironmentMap());
    ok &= writeImage("Images/sleeping-dog.jpg", makeSleepingDog());
    ok &= writeImage("Images/video-girl.jpg", makeVideoGirl());
    ok &= writeBytes("model/Tardis.3ds", boxModel());
    ok &= writeImage("res/splash.bmp", makeSplashBitmap());
    ok &= writeImage("res/toolbar-normal.bmp", makeToolbarStrip(0));
    ok &= writeImage("res/toolbar-hot.bmp", makeToolbarStrip(1));
    ok &= writeImage("res/toolbar-disabled.bmp", makeToolbarStrip(2));
    return ok ? 0 : 1;
}
