// The headless platform answers from its script and records what the program asked.
#include "platform/HeadlessPlatform.h"

#include <gtest/gtest.h>

TEST(HeadlessPlatform, ScriptedAnswersThenDefault) {
    HeadlessPlatform p;
    setPlatform(&p);
    p.answers = {true, false};
    p.defaultAnswer = true;
    EXPECT_TRUE(platform().askYesNo("one?"));
    EXPECT_FALSE(platform().askYesNo("two?"));
    EXPECT_TRUE(platform().askYesNo("three?"));
    EXPECT_EQ(p.questions.size(), 3);
    EXPECT_TRUE(platform().chooseOpenFile({"Open", "*.lmt", "lmt", ""}).isEmpty());
    platform().inform("hello", "Error", MessageIcon::Error);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "Error");
    platform().wait(1000);
    EXPECT_EQ(p.waitedMs, 1000);
    setPlatform(nullptr);
    EXPECT_NE(&platform(), &p);
}
