// The compression dialog offers the codecs with their names and greys out quality where unused.
#include "export/ui/CompressionDialog.h"
#include "export/VideoCodecs.h"

#include <QComboBox>
#include <QSlider>
#include <gtest/gtest.h>

TEST(CompressionDialog, PreselectsAndReturnsTheChoice) {
    const QList<VideoCodecChoice> codecs = availableVideoCodecs("avi");
    CompressionDialog dialog(codecs, {"ffv1", 40});
    ASSERT_EQ(dialog.codecBox()->count(), codecs.size());
    EXPECT_EQ(dialog.codecBox()->itemText(0), "Motion JPEG");
    EXPECT_EQ(dialog.codecBox()->currentData().toString(), "ffv1");
    EXPECT_FALSE(dialog.qualitySlider()->isEnabled()); // FFV1 is lossless

    dialog.codecBox()->setCurrentIndex(dialog.codecBox()->findData("mjpeg"));
    EXPECT_TRUE(dialog.qualitySlider()->isEnabled());
    dialog.qualitySlider()->setValue(70);
    EXPECT_EQ(dialog.compression().encoder, "mjpeg");
    EXPECT_EQ(dialog.compression().quality, 70);
}
