// Effect loads (start-up, "New", a sequence's reloads) recorded instead of performed, for tests
// without GL.
#pragma once

#include "effects/EffectLoads.h"

#include <QString>
#include <QStringList>

class RecordingAssetLoads : public EffectLoads {
  public:
    QStringList calls; // e.g. "keyed Particles/Star.bmp", "model 1 model/Tardis.3ds"

    void mipmappedTexture(CZoetraView&, const std::string& path, unsigned& slot) override {
        calls << QStringLiteral("mipmapped %1").arg(QString::fromStdString(path));
        slot += 1000;
    }
    void keyedTexture(CZoetraView&, const std::string& path, unsigned& slot) override {
        calls << QStringLiteral("keyed %1").arg(QString::fromStdString(path));
        slot += 1000;
    }
    void particleTexture(CZoetraView&, const std::string& path) override {
        calls << QStringLiteral("particle %1").arg(QString::fromStdString(path));
    }
    void model(CZoetraView&, int index, const std::string& path) override {
        calls << QStringLiteral("model %1 %2").arg(index + 1).arg(QString::fromStdString(path));
    }
    void picture(CZoetraView&, int index, const std::string& path) override {
        calls << QStringLiteral("picture %1 %2").arg(index + 1).arg(QString::fromStdString(path));
    }
    void textLists(CZoetraView&) override { calls << QStringLiteral("text lists"); }
};
