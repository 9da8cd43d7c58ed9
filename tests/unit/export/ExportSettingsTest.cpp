// The export format table, the five profile settings and the window sizing they drive.
#include "export/ExportSettings.h"
#include "export/FormatTable.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"

#include <QSettings>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        view = makeScene();
    }

    // A fresh reader of the profile file, independent of the code under test.
    std::unique_ptr<QSettings> profileFile() {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           "Local AppWizard-Generated Applications", "Lumatoy");
    }

    QTemporaryDir dir;
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    std::unique_ptr<CZoetraView> view;
};

} // namespace

TEST(FormatTable, RowsKeepTheirLabelsRatesAndSizes) {
    const ExportFormat* pal = exportFormat(0);
    ASSERT_NE(pal, nullptr);
    EXPECT_STREQ(pal->label, "DV AVI PAL    25 Frames/Second            720x576");
    EXPECT_EQ(pal->rate, 25);
    EXPECT_EQ(pal->labelSize, QSize(720, 576));
    EXPECT_EQ(pal->resizeSize, QSize(724, 717));
    EXPECT_EQ(pal->exportSize, QSize(724, 600));

    // The VCD PAL label carries trailing spaces and SVCD NTSC 480x480 one trailing space.
    EXPECT_STREQ(exportFormat(2)->label,
                 "VCD PAL        25 Frames/Second            352x288               ");
    EXPECT_STREQ(exportFormat(5)->label, "SVCD NTSC   30 Frames/Second            480x480 ");

    const ExportFormat* svcdPal = exportFormat(4);
    EXPECT_EQ(svcdPal->resizeSize, svcdPal->exportSize);
    EXPECT_EQ(svcdPal->resizeSize, QSize(484, 600));

    const ExportFormat* hd = exportFormat(16);
    ASSERT_NE(hd, nullptr);
    EXPECT_STREQ(hd->label, "H D Video       25 Frames/Second            1920x1080");
    EXPECT_EQ(hd->rate, 25);
    EXPECT_EQ(hd->resizeSize, QSize(1924, 1240));
    EXPECT_EQ(hd->exportSize, QSize(1924, 1104));
}

TEST(FormatTable, EveryRowAgreesWithItsLabel) {
    for (int i = 0; i < kExportFormatCount; ++i) {
        SCOPED_TRACE(i);
        const ExportFormat* f = exportFormat(i);
        ASSERT_NE(f, nullptr);
        const QString label = QString::fromLatin1(f->label);
        EXPECT_TRUE(label.contains(QString("%1 Frames/Second").arg(f->rate)));
        EXPECT_TRUE(
            label.contains(QString("%1x%2").arg(f->labelSize.width()).arg(f->labelSize.height())));
        // The export window adds the frame around the drawing area: 4 (VCD 6) pixels across and
        // 24 (the four thinnest banners 22) down.
        const bool vcd = i == 2 || i == 3;
        const bool thinBanner = i == 7 || i == 10 || i == 11 || i == 13;
        EXPECT_EQ(f->exportSize.width() - f->labelSize.width(), vcd ? 6 : 4);
        EXPECT_EQ(f->exportSize.height() - f->labelSize.height(), thinBanner ? 22 : 24);
    }
}

TEST(FormatTable, IndicesOutsideTheTableHaveNoFormat) {
    for (int bad : {-1, 17, 12345, INT_MIN, INT_MAX})
        EXPECT_EQ(exportFormat(bad), nullptr) << bad;
}

TEST(FormatTable, RecordedFrameIsRoundedDownToMultiplesOfFour) {
    EXPECT_EQ(recordedFrameSize({722, 577}), QSize(720, 576));
    EXPECT_EQ(recordedFrameSize({720, 576}), QSize(720, 576));
    EXPECT_EQ(recordedFrameSize({3, 7}), QSize(0, 4));
    EXPECT_EQ(recordedFrameSize({-5, 0}), QSize(0, 0));
}

TEST_F(ProfileTest, EmptyProfileReadsAllOnesAndFormatOne) {
    view->lockToAviRate = view->randomSequenceAtStart = view->presetLoop = 0;
    view->exportPreset = view->resizeToPreset = 0;
    readSettings(*view);
    EXPECT_EQ(view->lockToAviRate, 1);
    EXPECT_EQ(view->randomSequenceAtStart, 1);
    EXPECT_EQ(view->presetLoop, 1);
    EXPECT_EQ(view->exportPreset, 1);
    EXPECT_EQ(view->resizeToPreset, 1);
}

TEST_F(ProfileTest, ReadsEachSectionsValueAndIgnoresGarbage) {
    {
        auto p = profileFile();
        p->setValue("Lock frame rate to AVI Speed/Value", 0);
        p->setValue("Random Sequence On Start Up/Value", 0);
        p->setValue("Preset Loop/Value", "not a number");
        p->setValue("Avi Export Settings/Value", 15);
        p->setValue("Resize/Value", 0);
        p->setValue("Resize/Other", 7);
    }
    readSettings(*view);
    EXPECT_EQ(view->lockToAviRate, 0);
    EXPECT_EQ(view->randomSequenceAtStart, 0);
    EXPECT_EQ(view->presetLoop, 1);
    EXPECT_EQ(view->exportPreset, 15);
    EXPECT_EQ(view->resizeToPreset, 0);
}

TEST_F(ProfileTest, ApplyStoresTheChoiceAndPresetLoopZero) {
    view->presetLoop = 1;
    SettingsChoice choice = settingsChoiceFromView(*view);
    choice.lock = 0;
    choice.random = 0;
    choice.formatIndex = 9;
    choice.resize = 1;
    applySettingsChoice(*view, choice);

    EXPECT_EQ(view->presetLoop, 0);
    auto p = profileFile();
    EXPECT_EQ(p->childGroups(),
              QStringList({"Avi Export Settings", "Lock frame rate to AVI Speed", "Preset Loop",
                           "Random Sequence On Start Up", "Resize"}));
    EXPECT_EQ(p->value("Lock frame rate to AVI Speed/Value").toInt(), 0);
    EXPECT_EQ(p->value("Random Sequence On Start Up/Value").toInt(), 0);
    EXPECT_EQ(p->value("Preset Loop/Value").toInt(), 0);
    EXPECT_EQ(p->value("Avi Export Settings/Value").toInt(), 9);
    EXPECT_EQ(p->value("Resize/Value").toInt(), 1);

    // With resizing on the window takes the format's outer size and the rate follows.
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(556, 541));
    EXPECT_EQ(view->aviFrameRate, 30);

    auto reread = makeScene();
    readSettings(*reread);
    EXPECT_EQ(reread->lockToAviRate, 0);
    EXPECT_EQ(reread->randomSequenceAtStart, 0);
    EXPECT_EQ(reread->presetLoop, 0);
    EXPECT_EQ(reread->exportPreset, 9);
    EXPECT_EQ(reread->resizeToPreset, 1);
}

TEST_F(ProfileTest, ApplyWithResizeOffKeepsWindowAndRate) {
    view->exportPreset = 1;
    view->aviFrameRate = 30;
    SettingsChoice choice = settingsChoiceFromView(*view);
    choice.formatIndex = 0; // a 25 frames/second format
    choice.resize = 0;
    applySettingsChoice(*view, choice);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(0, 0));
    EXPECT_EQ(view->aviFrameRate, 30);
    EXPECT_EQ(view->exportPreset, 0); // the next export uses the new format
}

TEST_F(ProfileTest, StartUpSizesTheWindowForThePreset) {
    view->resizeToPreset = 1;
    view->exportPreset = 0;
    applyPresetWindowSize(*view);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(724, 717));
    EXPECT_EQ(view->aviFrameRate, 25);

    view->exportPreset = 16;
    applyPresetWindowSize(*view);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(1924, 1240));
    EXPECT_EQ(view->aviFrameRate, 25);
}

TEST_F(ProfileTest, StartUpWithResizeOffIsPlainWindowWhateverThePreset) {
    view->resizeToPreset = 0;
    view->exportPreset = 16;
    view->aviFrameRate = 25;
    applyPresetWindowSize(*view);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(800, 600));
    EXPECT_EQ(view->aviFrameRate, 30);
}

TEST_F(ProfileTest, UnknownPresetLeavesWindowAndRateAlone) {
    profileFile()->setValue("Avi Export Settings/Value", 12345);
    readSettings(*view);
    ASSERT_EQ(view->exportPreset, 12345);
    view->aviFrameRate = 42;
    applyPresetWindowSize(*view);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(0, 0));
    EXPECT_EQ(view->aviFrameRate, 42);

    view->exportPreset = -1;
    applySettingsChoice(*view, settingsChoiceFromView(*view));
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(0, 0));
    EXPECT_EQ(view->aviFrameRate, 42);
}
