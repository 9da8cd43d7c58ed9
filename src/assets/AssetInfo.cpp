// What asset files hold, for `lumatoy info`: 3DS models, TGA images and pictures.
#include "assets/AssetInfo.h"

#include "assets/Loader3ds.h"
#include "assets/PictureDecoder.h"
#include "assets/TgaImage.h"
#include "platform/ConsolePlatform.h"
#include "platform/WholeFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <vector>

namespace {

// The loader's messages, kept to be printed only if the model cannot be read; its notices are
// dropped. Everything else behaves as on the command line.
class MessageCollector : public ConsolePlatform {
  public:
    struct Message {
        QString text, caption;
    };
    void inform(const QString& text, const QString& caption, MessageIcon) override {
        messages.push_back({text, caption});
    }
    void notice(const QString&) override {}
    std::vector<Message> messages;
};

void print(std::FILE* f, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), f);
}

} // namespace

int describe3ds(const QString& path, bool json, std::FILE* out, std::FILE* err) {
    // The loader's messages are collected instead of shown; its splash waits are skipped.
    MessageCollector collector;
    Model3ds model;
    bool ok;
    {
        const PlatformOverride collect(collector);
        Loader3ds loader;
        ok = loader.import3ds(model, path);
    }
    if (!ok) {
        for (const auto& m : collector.messages)
            print(err, m.caption + ": " + m.text + "\n");
        return 1;
    }
    QJsonArray objects, materials, messages;
    for (int i = 0; i < model.objectCount; ++i) {
        const Object3ds& o = model.objects[size_t(i)];
        objects.append(QJsonObject{{"name", QString::fromLatin1(o.name)},
                                   {"vertices", o.vertexCount},
                                   {"faces", o.faceCount},
                                   {"texVertices", o.texVertexCount},
                                   {"materialId", o.materialId},
                                   {"hasTexture", o.hasTexture != 0}});
    }
    for (int i = 0; i < model.materialCount; ++i) {
        const Material3ds& m = model.materials[size_t(i)];
        materials.append(
            QJsonObject{{"name", QString::fromLatin1(m.name)},
                        {"textureFile", QString::fromLatin1(m.textureFile)},
                        {"colour", QJsonArray{m.colour[0], m.colour[1], m.colour[2]}}});
    }
    for (const auto& m : collector.messages)
        messages.append(m.text);
    if (json) {
        const QJsonObject root{{"type", "3ds"},
                               {"objects", objects},
                               {"materials", materials},
                               {"messages", messages}};
        print(out, QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) + "\n");
        return 0;
    }
    print(out, QStringLiteral("3DS model: %1 objects, %2 materials\n")
                   .arg(model.objectCount)
                   .arg(model.materialCount));
    for (const QJsonValue& v : objects) {
        const QJsonObject o = v.toObject();
        print(out, QStringLiteral("  object \"%1\": %2 vertices, %3 faces, %4 texture coordinates, "
                                  "material %5%6\n")
                       .arg(o["name"].toString())
                       .arg(o["vertices"].toInt())
                       .arg(o["faces"].toInt())
                       .arg(o["texVertices"].toInt())
                       .arg(o["materialId"].toInt())
                       .arg(o["hasTexture"].toBool() ? ", textured" : ""));
    }
    for (const QJsonValue& v : materials) {
        const QJsonObject m = v.toObject();
        const QJsonArray c = m["colour"].toArray();
        print(out, QStringLiteral("  material \"%1\": colour %2 %3 %4, map \"%5\"\n")
                       .arg(m["name"].toString())
                       .arg(c[0].toInt())
                       .arg(c[1].toInt())
                       .arg(c[2].toInt())
                       .arg(m["textureFile"].toString()));
    }
    for (const QJsonValue& v : messages)
        print(out, "  message: " + v.toString() + "\n");
    return 0;
}

int describeTga(const QString& path, bool json, std::FILE* out, std::FILE* err) {
    TgaImage image;
    QString why;
    if (!readTga(path.toLocal8Bit().constData(), image, &why)) {
        print(err, QStringLiteral("Unable to read the TGA file: %1 (%2)\n").arg(path, why));
        return 1;
    }
    if (json) {
        const QJsonObject root{{"type", "tga"},
                               {"width", image.width},
                               {"height", image.height},
                               {"bitsPerPixel", image.bitsPerPixel}};
        print(out, QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) + "\n");
    } else {
        print(out, QStringLiteral("TGA image: %1 x %2, %3 bits per pixel\n")
                       .arg(image.width)
                       .arg(image.height)
                       .arg(image.bitsPerPixel));
    }
    return 0;
}

int describePicture(const QString& path, bool json, std::FILE* out, std::FILE* err) {
    QByteArray bytes;
    QString why;
    if (!readWholeFile(path, kMaxPictureBytes, bytes, &why)) {
        print(err, QStringLiteral("Unable to read the picture: %1 (%2)\n").arg(path, why));
        return 1;
    }
    // Decided by the content: the extension may be missing or wrong.
    const QImage image = readPicture(bytes, &why);
    if (image.isNull()) {
        print(err, QStringLiteral("Unable to read the picture: %1 (%2)\n").arg(path, why));
        return 1;
    }
    const QSize natural = naturalSize(image);
    if (json) {
        const QJsonObject root{{"type", "picture"},
                               {"width", image.width()},
                               {"height", image.height()},
                               {"naturalWidth", natural.width()},
                               {"naturalHeight", natural.height()}};
        print(out, QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact)) + "\n");
    } else {
        print(out, QStringLiteral("Picture: %1 x %2 pixels, natural size %3 x %4 (0.01 mm)\n")
                       .arg(image.width())
                       .arg(image.height())
                       .arg(natural.width())
                       .arg(natural.height()));
    }
    return 0;
}

bool looks3ds(const QByteArray& head) {
    return head.size() >= 6 && uint8_t(head[0]) == 0x4D && uint8_t(head[1]) == 0x4D;
}

bool looksTga(const QByteArray& head) {
    static const char trueColour[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    static const char mapped[12] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};
    if (head.size() < 18) return false;
    return std::memcmp(head.constData(), trueColour, 12) == 0 ||
           std::memcmp(head.constData(), mapped, 12) == 0;
}
