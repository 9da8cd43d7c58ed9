// The main window never grows past the screen's available area, even for a format larger than
// the screen ("H D Video 1920x1080" on this 1280 x 1024 test screen); an export of that format
// still records its full size offscreen.
#include "app/MainFrame.h"
#include "app/QtPlatform.h"
#include "export/ExportSettings.h"
#include "export/FormatTable.h"
#include "scene/CZoetraView.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"
#include "support/VideoProbe.h"
#include "timeline/KeyframeStore.h"

#include <QAction>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Dialogs answered from a script; the main window sized by the Qt platform, as the program does.
class SizingPlatform : public ScriptedPlatform {
  public:
    explicit SizingPlatform(QtPlatform& qt) : qt_(qt) {}
    void resizeMainWindow(int outerWidth, int outerHeight) override {
        ScriptedPlatform::resizeMainWindow(outerWidth, outerHeight);
        qt_.resizeMainWindow(outerWidth, outerHeight);
    }

  private:
    QtPlatform& qt_;
};

constexpr int kHdPreset = 16;

class WindowFitsScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(profile.isValid());
        frame = createMainWindow();
        qt.setMainWindow(frame.get());
        useScripted.emplace(scripted);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->sceneReady(); }, 20000));
        area = frame->screen()->availableGeometry();
        const ExportFormat* hd = exportFormat(kHdPreset);
        ASSERT_NE(hd, nullptr);
        ASSERT_EQ(hd->labelSize, QSize(1920, 1080));
        // The format's window is larger than this screen: the case in question.
        ASSERT_TRUE(hd->resizeSize.width() > area.width() ||
                    hd->resizeSize.height() > area.height());
    }
    void TearDown() override {
        frame.reset();
        useScripted.reset();
    }

    // The settings dialog's Apply with "H D Video" and "Resize Screen to Match".
    void chooseHdWithResize() {
        SettingsChoice choice = settingsChoiceFromView(frame->scene());
        choice.formatIndex = kHdPreset;
        choice.resize = 1;
        applySettingsChoice(frame->scene(), choice);
        QTest::qWait(400); // a window manager may correct the frame once
    }

    TempProfile profile{{"Random Sequence On Start Up", 0}};
    QtPlatform qt;
    SizingPlatform scripted{qt};
    std::optional<PlatformOverride> useScripted; // from the window's creation on
    std::unique_ptr<CMainFrame> frame;
    QRect area;
};

} // namespace

TEST_F(WindowFitsScreen, AFormatLargerThanTheScreenGivesTheScreensArea) {
    frame->move(area.topLeft() + QPoint(60, 40));
    QTest::qWait(100);
    chooseHdWithResize();
    const QRect outer = frame->frameGeometry();
    EXPECT_TRUE(area.contains(outer))
        << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height();
    // As large as the screen lets it be.
    EXPECT_GE(outer.width(), area.width() - 2);
    EXPECT_GE(outer.height(), area.height() - 2);
    EXPECT_EQ(frame->scene().aviFrameRate, 25);

    // A format that fits is given exactly and stays where the window is.
    frame->move(area.topLeft() + QPoint(10, 10));
    QTest::qWait(100);
    const QPoint place = frame->pos();
    SettingsChoice small = settingsChoiceFromView(frame->scene());
    small.formatIndex = 0;
    small.resize = 1;
    applySettingsChoice(frame->scene(), small);
    QTest::qWait(400);
    EXPECT_EQ(frame->frameGeometry().size(), exportFormat(0)->resizeSize);
    EXPECT_EQ(frame->pos(), place);
}

TEST_F(WindowFitsScreen, TheExportStillRecordsTheFormatsFullSize) {
    chooseHdWithResize();
    ASSERT_TRUE(area.contains(frame->frameGeometry()));
    CZoetraView& v = frame->scene();
    frame->withViewContext([&] {
        v.backgroundColour = {0, 0, 0};
        ASSERT_TRUE(addKey(v, 0));
        v.backgroundColour = {0, 0, 250};
        ASSERT_TRUE(addKey(v, 4));
    });
    QTemporaryDir dir;
    const QString path = dir.filePath("hd.avi");
    scripted.files = {path};
    scripted.compressions = {VideoCompression{QStringLiteral("mjpeg"), 85}};
    scripted.answers = {false}; // do not play it
    frame->action(Command::ExportVideo)->trigger();
    ASSERT_TRUE(scripted.messages.empty()) << scripted.messages[0].text.toStdString();

    const DecodedVideo video = decodeVideo(path);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_EQ(video.frameCount, 4);
    EXPECT_EQ(video.width, 1920);
    EXPECT_EQ(video.height, 1080);
    EXPECT_TRUE(area.contains(frame->frameGeometry()));
}
