// The scripted platform answers from its script and records what the program asked; the console
// platform prints what it is told with the file in hand and gives the safe answers.
#include "platform/ConsolePlatform.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

TEST(ScriptedPlatform, ScriptedAnswersThenDefault) {
    ScriptedPlatform p;
    {
        const PlatformOverride useP(p);
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
    }
    EXPECT_NE(&platform(), &p);
}

TEST(PlatformOverride, TheConsoleIsInForceUnlessAnOverrideLivesAndOverridesNest) {
    Platform* const fallback = &platform();
    EXPECT_NE(dynamic_cast<ConsolePlatform*>(fallback), nullptr);
    ScriptedPlatform outer, inner;
    {
        const PlatformOverride useOuter(outer);
        EXPECT_EQ(&platform(), &outer);
        {
            const PlatformOverride useInner(inner);
            EXPECT_EQ(&platform(), &inner);
        }
        EXPECT_EQ(&platform(), &outer);
    }
    EXPECT_EQ(&platform(), fallback);
}

namespace {
// Everything written to `f` since it was made.
std::string written(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    char buffer[1024];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        s.append(buffer, n);
    return s;
}
} // namespace

TEST(ConsolePlatform, PrintsEveryMessageWithTheFileInHandAndItsCaption) {
    std::FILE* out = std::tmpfile();
    ConsolePlatform console(out);
    const PlatformOverride useConsole(console);
    platform().inform("Unable to find the file: model/gone.3ds!", "Error");
    {
        const FileInHand sequence("/tmp/show.lmt");
        {
            const FileInHand model("model/old.3ds");
            platform().inform("This 3DS file is over version 3 so it may load incorrectly",
                              "Warning");
        }
        platform().notice("The texture cannot be loaded.");
        platform().inform("Two\r\nlines", QString(), MessageIcon::Error);
        platform().inform("Plain");
    }
    EXPECT_TRUE(fileInHand().isEmpty());
    EXPECT_EQ(written(out),
              "lumatoy: Error: Unable to find the file: model/gone.3ds!\n"
              "lumatoy: model/old.3ds: Warning: This 3DS file is over version 3 so it may load "
              "incorrectly\n"
              "lumatoy: /tmp/show.lmt: Warning: The texture cannot be loaded.\n"
              "lumatoy: /tmp/show.lmt: Error: Two lines\n"
              "lumatoy: /tmp/show.lmt: Plain\n");
    std::fclose(out);
}

TEST(ConsolePlatform, QuestionsAndChoosersGetTheSafeAnswerAndSaySo) {
    std::FILE* out = std::tmpfile();
    ConsolePlatform console(out);
    EXPECT_FALSE(console.askYesNo("Are you sure you want to delete all keyframes?", QString()));
    EXPECT_TRUE(console.chooseOpenFile({"Open a Lumatoy Keyframe File", "", "", ""}).isEmpty());
    EXPECT_TRUE(console.chooseSaveFile({"Save a Lumatoy Keyframe File", "", "lmt", ""}).isEmpty());
    EXPECT_FALSE(console.chooseColour(Qt::red));
    EXPECT_FALSE(console.chooseFont({}));
    EXPECT_FALSE(console.chooseVideoCompression({}, {}));
    EXPECT_TRUE(console.setProgress(5));
    console.wait(60000); // returns at once
    const std::string text = written(out);
    EXPECT_NE(text.find("lumatoy: Are you sure you want to delete all keyframes? No one can "
                        "answer on the command line: No.\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("lumatoy: Save a Lumatoy Keyframe File: No file can be chosen"),
              std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    std::fclose(out);
}

TEST(ScriptedPlatform, RecordsNoticesWithTheFileInHand) {
    ScriptedPlatform p;
    const FileInHand file("Textures/gone.jpg");
    p.notice("cannot be loaded");
    ASSERT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.notices[0].file, "Textures/gone.jpg");
    EXPECT_TRUE(p.messages.empty());
}
