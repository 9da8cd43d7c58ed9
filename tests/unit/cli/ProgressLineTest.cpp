// The render progress line: its wording, in place on a terminal, sparse plain lines otherwise.
#include "cli/ProgressLine.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// Collects what a ProgressLine prints.
struct Capture {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&buffer, &size);
    ~Capture() {
        if (file) std::fclose(file);
        std::free(buffer);
    }
    QString text() {
        std::fflush(file);
        return QString::fromLatin1(buffer, static_cast<qsizetype>(size));
    }
};
} // namespace

TEST(ProgressLine, SaysFramesRateAndTimeLeft) {
    EXPECT_EQ(ProgressLine::text(30, 300, 30.0), "frame 30 of 300, 30.0 fps, 9 s left");
    EXPECT_EQ(ProgressLine::text(10, 3700, 20.0), "frame 10 of 3700, 20.0 fps, 3 min 5 s left");
    EXPECT_EQ(ProgressLine::text(300, 300, 42.24), "frame 300 of 300, 42.2 fps");
    EXPECT_EQ(ProgressLine::text(1, 300, 0.0), "frame 1 of 300"); // no rate measured yet
}

TEST(ProgressLine, ALogGetsALineAtEachTenthAndTheRateFromTheFirstFrameOn) {
    Capture out;
    ProgressLine line(out.file, false);
    // Frame 1 comes after 5 s of setting up; then 10 frames a second.
    for (int done = 1; done <= 300; ++done)
        line.update(done, 300, 100 + 5 + (done - 1) * 0.1);
    const QStringList lines = out.text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines.first(), "frame 30 of 300, 10.0 fps, 27 s left");
    EXPECT_EQ(lines.last(), "frame 300 of 300, 10.0 fps");
    EXPECT_FALSE(out.text().contains('\r'));
}

TEST(ProgressLine, ATerminalLineIsRewrittenInPlaceAtMostTenTimesASecond) {
    Capture out;
    ProgressLine line(out.file, true);
    for (int done = 1; done <= 1000; ++done)
        line.update(done, 1000, done * 0.001); // 1000 fps for one second
    const QString text = out.text();
    const int shown = static_cast<int>(text.count('\r'));
    EXPECT_GE(shown, 10);
    EXPECT_LE(shown, 12);
    EXPECT_FALSE(text.left(text.size() - 1).contains('\n'));
    ASSERT_TRUE(text.endsWith('\n'));
    EXPECT_EQ(text.section('\r', -1).trimmed(), "frame 1000 of 1000, 1000.0 fps");
}

TEST(ProgressLine, AShorterLineBlanksTheRestOfTheLongerOne) {
    Capture out;
    ProgressLine line(out.file, true);
    line.update(1, 200, 0.0);
    line.update(100, 200, 99.0);  // "..., 1.0 fps, 1 min 40 s left"
    line.update(199, 200, 199.0); // "..., 1.0 fps, 1 s left": shorter
    const QStringList shown = out.text().split('\r', Qt::SkipEmptyParts);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[2].size(), shown[1].size());
    EXPECT_TRUE(shown[2].startsWith("frame 199 of 200, 1.0 fps, 1 s left  "));
}

TEST(ProgressLine, ARenderThatStopsEarlyStillEndsItsLine) {
    Capture out;
    {
        ProgressLine line(out.file, true);
        line.update(1, 200, 0.0);
        line.update(2, 200, 1.0);
    }
    EXPECT_TRUE(out.text().endsWith("3 min 18 s left\n")) << out.text().toStdString();
    EXPECT_EQ(out.text().count('\n'), 1);

    Capture finished;
    {
        ProgressLine line(finished.file, true);
        line.update(1, 1, 0.0);
    }
    EXPECT_EQ(finished.text(), "\rframe 1 of 1\n"); // no second newline
}
