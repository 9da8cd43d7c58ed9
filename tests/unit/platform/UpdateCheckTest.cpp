// The update check against a server of the test's own on 127.0.0.1: the update text file, and
// each of the check's three answers with the message the user reads.
#include "platform/UpdateCheck.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateCheck, TextFileAndVersionOrder) {
    auto notice = parseUpdateText("\xEF\xBB\xBF\n  0.2.0 \r\nhttps://example.org/get\r\nmore\n");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->version, "0.2.0");
    EXPECT_EQ(notice->downloadAddress, "https://example.org/get");
    notice = parseUpdateText("Version 1.4");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->version, "1.4");
    EXPECT_EQ(notice->downloadAddress, "");
    EXPECT_FALSE(parseUpdateText("<html>Not here</html>\n0.2.0"));
    EXPECT_FALSE(parseUpdateText(""));

    EXPECT_EQ(compareVersions("0.10", "0.9"), 1);
    EXPECT_EQ(compareVersions("1.0", "1.0.0"), 0);
    EXPECT_EQ(compareVersions("v1.2.3", "1.2.4"), -1);
    EXPECT_EQ(compareVersions("1.2.x", "1.2"), std::nullopt);
}

class UpdateCheckAnswers : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.listening()); }

    // The single message the check showed.
    ScriptedPlatform::Message said() {
        EXPECT_EQ(headless.messages.size(), 1u);
        EXPECT_TRUE(headless.openedUrls.isEmpty()); // no browser: the program answers itself
        EXPECT_FALSE(headless.busy_);
        return headless.messages.empty() ? ScriptedPlatform::Message{} : headless.messages.back();
    }

    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    LocalHttpServer server;
};

TEST_F(UpdateCheckAnswers, NewerVersionNamesItsAddress) {
    server.serve("/update.txt", {200, "OK", "text/plain", "0.3.1\nhttps://example.org/get/\n"});
    EXPECT_EQ(checkForUpdates(server.address("/update.txt"), "0.3.0"),
              UpdateOutcome::NewerAvailable);
    const ScriptedPlatform::Message m = said();
    EXPECT_EQ(m.text, "A newer version of Lumatoy is available: version 0.3.1 (this is version "
                      "0.3.0).\n\nDownload it from https://example.org/get/");
    EXPECT_EQ(m.caption, "Check for Updates");
    EXPECT_EQ(m.icon, MessageIcon::Information);
}

TEST_F(UpdateCheckAnswers, SameOrOlderVersionIsCurrent) {
    server.serve("/update.txt", {200, "OK", "text/plain", "0.3.0\nhttps://example.org/get/\n"});
    server.serve("/old.txt", {200, "OK", "text/plain", "0.2.9\n"});
    EXPECT_EQ(checkForUpdates(server.address("/update.txt"), "0.3.0"), UpdateOutcome::UpToDate);
    const ScriptedPlatform::Message m = said();
    EXPECT_EQ(m.text, "This version of Lumatoy (0.3.0) is the newest.");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    headless.messages.clear();
    EXPECT_EQ(checkForUpdates(server.address("/old.txt"), "0.3.0"), UpdateOutcome::UpToDate);
}

TEST_F(UpdateCheckAnswers, CouldNotTellSaysWhy) {
    const QString missing = server.address("/gone.txt");
    EXPECT_EQ(checkForUpdates(missing, "0.3.0"), UpdateOutcome::Unknown);
    ScriptedPlatform::Message m = said();
    EXPECT_EQ(m.text, "Lumatoy could not tell whether a newer version exists: the server answered "
                      "404 Not Found.\n\nThe update information is read from " +
                          missing + ".");
    EXPECT_EQ(m.caption, "Check for Updates");
    EXPECT_EQ(m.icon, MessageIcon::Warning);

    headless.messages.clear();
    server.serve("/page.txt", {200, "OK", "text/html", "<html>maintenance</html>"});
    EXPECT_EQ(checkForUpdates(server.address("/page.txt"), "0.3.0"), UpdateOutcome::Unknown);
    EXPECT_TRUE(said().text.contains("the update information names no version"));

    headless.messages.clear();
    LocalHttpServer::Answer silence;
    silence.silent = true;
    server.serve("/slow.txt", silence);
    EXPECT_EQ(checkForUpdates(server.address("/slow.txt"), "0.3.0", 200), UpdateOutcome::Unknown);
    EXPECT_TRUE(said().text.contains("no answer came within 0.2 seconds"));

    headless.messages.clear();
    const QString closed =
        QStringLiteral("http://127.0.0.1:%1/u.txt").arg(LocalHttpServer::closedPort());
    EXPECT_EQ(checkForUpdates(closed, "0.3.0"), UpdateOutcome::Unknown);
    EXPECT_EQ(said().icon, MessageIcon::Warning);
}

} // namespace
