// The splash window: its shape from the key colour, its text, and the model loader's sequence.
#include "app/SplashScreenEx.h"
#include "app/SplashWindow.h"
#include "assets/Loader3ds.h"
#include "support/ScriptedPlatform.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage keyedBitmap() {
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(qRgb(20, 40, 200));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            img.setPixel(x, y, qRgb(255, 0, 255)); // left quarter keyed
    img.setPixel(20, 5, qRgb(255, 0, 255));        // one hole
    return img;
}

// A platform whose splash is the real window; waits are shortened a hundredfold, and at each
// wait the text the window shows is recorded.
class WindowSplashPlatform : public ScriptedPlatform {
  public:
    void showSplash(const QString& text, const SplashLook& look) override {
        ScriptedPlatform::showSplash(text, look);
        window.show(text, look);
    }
    void setSplashText(const QString& text) override {
        ScriptedPlatform::setSplashText(text);
        window.setText(text);
    }
    void hideSplash() override {
        ScriptedPlatform::hideSplash();
        lastWindow = window.window();
        window.hide();
    }
    void wait(int ms) override {
        ScriptedPlatform::wait(ms);
        QTest::qWait(ms / 100);
        CSplashScreenEx* w = window.window();
        shownTexts << (w && w->isVisible() ? w->text() : QStringLiteral("<no window>"));
        if (w) shapes << w->shape();
    }

    SplashWindow window;
    QStringList shownTexts;
    QList<QRegion> shapes;
    QPointer<CSplashScreenEx> lastWindow;
};

} // namespace

TEST(SplashScreen, KeyColourIsCutOutOfTheShape) {
    auto* splash = new CSplashScreenEx;
    ASSERT_TRUE(splash->Create(nullptr, "Please Wait:", 0, CSplashScreenEx::kCentreScreen));
    ASSERT_TRUE(splash->SetBitmap(keyedBitmap(), 255, 0, 255));
    const QRegion shape = splash->shape();
    EXPECT_FALSE(shape.contains(QPoint(5, 10)));
    EXPECT_FALSE(shape.contains(QPoint(20, 5)));
    EXPECT_TRUE(shape.contains(QPoint(10, 10)));
    EXPECT_TRUE(shape.contains(QPoint(39, 19)));
    EXPECT_EQ(shape.boundingRect(), QRect(10, 0, 30, 20));
    EXPECT_EQ(splash->textRect(), QRect(0, 0, 40, 20)); // the whole bitmap until set
    EXPECT_EQ(splash->bitmapSize(), QSize(40, 20));

    // Any component -1: the window stays rectangular.
    ASSERT_TRUE(splash->SetBitmap(keyedBitmap(), 255, -1, 255));
    EXPECT_TRUE(splash->shape().isEmpty());
    EXPECT_TRUE(splash->mask().isEmpty());
    EXPECT_FALSE(splash->SetBitmap(QString("/nonexistent/splash.bmp"), 255, 0, 255));
    delete splash;
}

TEST(SplashScreen, TextSettingsAndHideOnInput) {
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    ASSERT_TRUE(splash->Create(nullptr, {}, 0, CSplashScreenEx::kHideOnInput));
    ASSERT_TRUE(splash->SetBitmap(keyedBitmap(), -1, -1, -1));
    splash->SetTextFont("Sans", 120, 1 | 2);
    EXPECT_TRUE(splash->textFont().bold());
    EXPECT_TRUE(splash->textFont().italic());
    EXPECT_DOUBLE_EQ(splash->textFont().pointSizeF(), 12.0);
    // A face the machine lacks becomes the plain sans-serif face, never a symbol font.
    splash->SetTextFont("No Such Face On Any Machine", 120, 0);
    EXPECT_TRUE(QFontDatabase::hasFamily(splash->textFont().family()));
    EXPECT_EQ(QFontInfo(splash->textFont()).family(), splash->textFont().family());
    splash->SetTextColor(Qt::white);
    splash->SetTextFormat(0x25);
    EXPECT_EQ(splash->textFormat(), 0x25u);
    splash->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash.data()));
    splash->SetText("Is Now Loading");
    EXPECT_EQ(splash->text(), "Is Now Loading");
    QTest::mouseClick(splash.data(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000)); // hidden and deleted
}

TEST(SplashScreen, TimeOutHidesTheWindow) {
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    ASSERT_TRUE(splash->Create(nullptr, "x", 50, 0));
    ASSERT_TRUE(splash->SetBitmap(keyedBitmap(), 255, 0, 255));
    splash->Show();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
}

TEST(SplashScreen, ModelLoadShowsItsThreeLinesThenHides) {
    const QString model = QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath("model/Tardis.3ds");
    WindowSplashPlatform p;
    const PlatformOverride useP(p);
    Model3ds mesh;
    Loader3ds loader;
    const bool ok = loader.import3ds(mesh, model);
    ASSERT_TRUE(ok);
    EXPECT_EQ(p.shownTexts, QStringList({"Please Wait:", model, "Is Now Loading"}));
    EXPECT_EQ(p.waitedMs, 3000);
    // The generated splash bitmap has its magenta surroundings cut away.
    ASSERT_FALSE(p.shapes.isEmpty());
    EXPECT_FALSE(p.shapes[0].isEmpty());
    EXPECT_FALSE(p.shapes[0].contains(QPoint(0, 0)));
    EXPECT_TRUE(p.shapes[0].contains(QPoint(200, 80)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.lastWindow.isNull(); }, 3000));
}
