// The tag a part of a chunked render carries in its header: read back as written, and anything
// else (another program's comment, a tag whose ranges contradict each other) is not a part.
#include "export/VideoParts.h"

#include <gtest/gtest.h>

TEST(VideoPartTag, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    VideoPartTag tag;
    tag.first = 75;
    tag.last = 149;
    tag.rangeFirst = 0;
    tag.rangeLast = 299;
    tag.chunk = 1;
    tag.chunks = 4;
    tag.sequence = QStringLiteral("Fire \"Ring\".lmt");
    tag.identity = QStringLiteral("ab12");
    tag.width = 720;
    tag.height = 480;
    tag.framesPerSecond = 30;
    tag.codec = QStringLiteral("ffv1");
    const auto back = decodePartTag(encodePartTag(tag));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->first, 75);
    EXPECT_EQ(back->last, 149);
    EXPECT_EQ(back->rangeLast, 299);
    EXPECT_EQ(back->chunk, 1);
    EXPECT_EQ(back->chunks, 4);
    EXPECT_EQ(back->sequence, tag.sequence);
    EXPECT_EQ(back->identity, "ab12");
    EXPECT_EQ(back->width, 720);
    EXPECT_EQ(back->framesPerSecond, 30);
    EXPECT_EQ(back->codec, "ffv1");

    for (
        const char* other : {
            "",
            "made with another program",
            "{}",
            "[1,2]",
            R"({"lumatoy-part":2,"frames":[0,9],"range":[0,9],"chunk":[0,1],"size":[4,4],"identity":""})",
            // frames outside the render's range, a reversed range, a missing field
            R"({"lumatoy-part":1,"frames":[5,12],"range":[0,9],"chunk":[0,1],"size":[4,4],"identity":""})",
            R"({"lumatoy-part":1,"frames":[5,4],"range":[0,9],"chunk":[0,1],"size":[4,4],"identity":""})",
            R"({"lumatoy-part":1,"frames":[0,9],"range":[0,9],"chunk":[0,1],"size":[4,4]})",
            R"({"lumatoy-part":1,"frames":[0],"range":[0,9],"chunk":[0,1],"size":[4,4],"identity":""})",
        })
        EXPECT_FALSE(decodePartTag(QString::fromUtf8(other))) << other;
}
