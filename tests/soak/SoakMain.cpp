// The soak: the main window driven for a long time as a user would (every stored sequence in
// turn, the Control Deck opened and closed, drags in the view, a video exported every few
// minutes), with the resident memory, OpenGL errors and messages reported as it goes.
#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "app/ZoetraGLWidget.h"
#include "deck/CMySheet.h"
#include "deck/KeyframePage.h"
#include "scene/CZoetraView.h"
#include "support/KeepGlDriverLoaded.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"
#include "support/VideoProbe.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <malloc.h>

namespace {

// Resident memory of this process in KiB, from /proc, once the allocator has handed back what
// it keeps free (so a large buffer freed a minute ago does not count as growth).
long residentKiB() {
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Qt's warnings (and the program's own, e.g. an OpenGL error) are counted and passed on.
int g_warnings = 0;
QtMessageHandler g_previousHandler = nullptr;
void countWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) ++g_warnings;
    if (g_previousHandler) g_previousHandler(type, context, text);
}

// Serves the event loop for `ms` (the view redraws whenever the queue is empty).
void runFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
}

void clickTab(CMySheet& sheet, DeckPage page) {
    QTabBar* bar = sheet.tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(pageIndex(page)).center());
}

// A drag across the view with `button`, in steps, as a hand moves.
void dragAcross(QWidget& view, Qt::MouseButton button, int step) {
    const QPoint from(view.width() / 3, view.height() / 2);
    const QPoint by(view.width() / 60 + step % 7, (step % 5) - 2);
    QTest::mousePress(&view, button, {}, from);
    for (int i = 1; i <= 20; ++i) {
        QTest::mouseMove(&view, from + by * i);
        runFor(15);
    }
    QTest::mouseRelease(&view, button, {}, from + by * 20);
}

struct Soak {
    CMainFrame& frame;
    ScriptedPlatform& platform;
    QString scratch;
    int exports = 0, failedExports = 0, loads = 0, failedLoads = 0;

    // Loads stored sequence `index`, opens the deck and plays the sequence from the keyframe
    // page, visits a few pages, drags in the view and closes the deck again.
    void cycle(int index, int seconds) {
        if (frame.openStoredSequence(index))
            ++loads;
        else
            ++failedLoads;
        frame.action(Command::ControlDeck)->trigger();
        CMySheet* sheet = frame.controlDeck();
        if (sheet) {
            if (!QTest::qWaitForWindowExposed(sheet)) std::printf("the deck did not show\n");
            clickTab(*sheet, DeckPage::Keyframes);
            if (QPushButton* play = sheet->keyframePage()->button(QStringLiteral("Play >")))
                play->click();
            // Visiting a layer's page switches it on: one more layer each cycle.
            clickTab(*sheet, DeckPage(1 + index % (kDeckPageCount - 1)));
        }
        runFor(seconds * 400);
        dragAcross(*frame.viewWidget(), index % 2 ? Qt::LeftButton : Qt::RightButton, index);
        runFor(seconds * 300);
        if (sheet) sheet->close();
        runFor(seconds * 300);
    }

    // Exports the document to a video through the window's command and reads it back.
    void exportVideo() {
        const QString video = scratch + QStringLiteral("/soak-%1.avi").arg(exports + failedExports);
        platform.files = {video};
        platform.compressions = {VideoCompression{QStringLiteral("mjpeg"), 75}};
        platform.answers = {false}; // do not open it in a player
        frame.action(Command::ExportVideo)->trigger();
        const DecodedVideo decoded = decodeVideo(video, false);
        const bool good = decoded.error.isEmpty() && decoded.frameCount > 0;
        std::printf("export %s: %d frames%s%s\n", qPrintable(QFileInfo(video).fileName()),
                    decoded.frameCount, good ? "" : ", failed: ", qPrintable(decoded.error));
        ++(good ? exports : failedExports);
        QFile::remove(video);
    }

    // The scripted platform keeps every message and question: forget them between cycles, so
    // the soak measures the program and not its own records.
    void forgetRecords() {
        for (const ScriptedPlatform::Message& message : platform.messages)
            std::printf("message: %s: %s\n", qPrintable(message.caption), qPrintable(message.text));
        platform.messages.clear();
        platform.questions.clear();
        platform.notices.clear();
        platform.fileRequests.clear();
        platform.splashTexts.clear();
        platform.progressTexts.clear();
        platform.compressionRequests.clear();
    }
};

} // namespace

int main(int argc, char** argv) {
    keepGlDriverLoaded();
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Drives the Lumatoy window for a while."));
    options.addHelpOption();
    options.addOption({QStringLiteral("minutes"), QStringLiteral("How long (default 30)."),
                       QStringLiteral("M"), QStringLiteral("30")});
    options.addOption({QStringLiteral("cycle"), QStringLiteral("Seconds a sequence (default 10)."),
                       QStringLiteral("S"), QStringLiteral("10")});
    options.addOption({QStringLiteral("export-every"),
                       QStringLiteral("Minutes between exports (default 5)."), QStringLiteral("M"),
                       QStringLiteral("5")});
    options.process(app);
    const double minutes = options.value(QStringLiteral("minutes")).toDouble();
    const int cycleSeconds = std::max(2, options.value(QStringLiteral("cycle")).toInt());
    const double exportEvery = options.value(QStringLiteral("export-every")).toDouble();

    g_previousHandler = qInstallMessageHandler(countWarnings);
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    QTemporaryDir scratch;
    ScriptedPlatform platform;
    PlatformOverride useScripted(platform);
    std::unique_ptr<CMainFrame> frame = createMainWindow();
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get()) ||
        !QTest::qWaitFor([&] { return frame->sceneReady(); }, 60000)) {
        std::fprintf(stderr, "soak: the window did not come up\n");
        return 1;
    }
    Soak soak{*frame, platform, scratch.path()};
    const int sequences = frame->scene().sequenceCount - 1; // entry 0 is "none"
    if (sequences < 1) {
        std::fprintf(stderr, "soak: no stored sequences\n");
        return 1;
    }

    const long startKiB = residentKiB();
    long warmKiB = -1;
    QElapsedTimer clock;
    clock.start();
    double nextExport = exportEvery;
    std::printf("start: %ld KiB resident, %d stored sequences\n", startKiB, sequences);
    std::fflush(stdout);
    int cycles = 0;
    while (clock.elapsed() < minutes * 60000) {
        if (exportEvery > 0 && clock.elapsed() >= nextExport * 60000) {
            soak.exportVideo();
            nextExport += exportEvery;
        }
        soak.cycle(1 + cycles % sequences, cycleSeconds);
        ++cycles;
        soak.forgetRecords();
        // Warm: every sequence has been shown once (its textures and models were loaded) and
        // the undo history holds as many steps as it keeps.
        const int steps = frame->history().stack().count();
        if (warmKiB < 0 && cycles >= sequences && steps >= EditHistory::kStepLimit)
            warmKiB = residentKiB();
        std::printf("%6.1f min: cycle %d, %ld KiB resident, %d undo steps, %d frames drawn, "
                    "%d GL errors\n",
                    clock.elapsed() / 60000.0, cycles, residentKiB(), steps,
                    frame->viewWidget()->framesDrawn(), frame->viewWidget()->glErrorsSeen());
        std::fflush(stdout);
    }

    const long endKiB = residentKiB();
    const int glErrors = frame->viewWidget()->glErrorsSeen();
    std::printf("end: %.1f min, %d cycles, %d loads (%d refused), %d exports (%d failed), "
                "%d frames drawn\n",
                clock.elapsed() / 60000.0, cycles, soak.loads, soak.failedLoads, soak.exports,
                soak.failedExports, frame->viewWidget()->framesDrawn());
    std::printf("resident: %ld KiB at start, %ld KiB when warm, %ld KiB at end: "
                "%+ld KiB since start, %+ld KiB since warm\n",
                startKiB, warmKiB, endKiB, endKiB - startKiB, warmKiB < 0 ? 0 : endKiB - warmKiB);
    std::printf("OpenGL errors: %d; warnings: %d\n", glErrors, g_warnings);
    frame.reset();
    return glErrors == 0 && soak.failedExports == 0 && soak.failedLoads == 0 ? 0 : 2;
}
