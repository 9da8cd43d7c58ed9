// A Control Deck that records what the core asks of it, for tests without widgets.
#pragma once

#include "scene/DeckBlock.h"

#include <QString>
#include <QStringList>

class RecordingDeck : public DeckUi {
  public:
    QStringList calls; // e.g. "visible 0", "close", "values 3", "slider 12"
    int slider = 0;

    void setVisible(bool visible) override { calls << QStringLiteral("visible %1").arg(visible); }
    void close() override { calls << QStringLiteral("close"); }
    void showValues(DeckPage page) override {
        calls << QStringLiteral("values %1").arg(pageIndex(page));
    }
    void setFrameSlider(int frame) override {
        slider = frame;
        calls << QStringLiteral("slider %1").arg(frame);
    }
    int frameSlider() const override { return slider; }
    void showFrame(int frame) override { calls << QStringLiteral("frame %1").arg(frame); }
    void addKeyTick(int frame, int keyCount) override {
        calls << QStringLiteral("tick %1 %2").arg(frame).arg(keyCount);
    }
    void clearKeyTicks() override { calls << QStringLiteral("clear ticks"); }
    void sequenceLoaded(int lastKeyFrame) override {
        calls << QStringLiteral("loaded %1").arg(lastKeyFrame);
    }
    void showFrameRate(const QString& text) override { calls << QStringLiteral("fps ") + text; }
};
