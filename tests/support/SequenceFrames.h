// Frames of a sequence rendered headlessly at 160 x 120 and kept in memory, by frame number.
#pragma once

#include "render/FrameSink.h"
#include "render/HeadlessRender.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <map>

struct MemorySink : FrameSink {
    std::map<int, QImage> frames;
    bool open(int, int, int, QString*) override { return true; }
    bool write(const QImage& frame, int number, QString*) override {
        frames[number] = frame;
        return true;
    }
    bool close(QString*) override { return true; }
};

// Frames first...last of `sequence` (last -1: to the end of its timeline; an empty path: the
// default look).
inline std::map<int, QImage> renderSequenceFrames(const QString& sequence, int first = 0,
                                                  int last = -1) {
    RenderOptions options;
    options.sequencePath = sequence;
    options.width = 160;
    options.height = 120;
    options.firstFrame = first;
    options.lastFrame = last;
    MemorySink sink;
    QString error;
    EXPECT_TRUE(renderToSink(options, sink, nullptr, &error)) << error.toStdString();
    return sink.frames;
}
