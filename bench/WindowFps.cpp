// The main window's own frame rate: opens the window with a sequence, lets it play, and prints
// the "Fps" figure the Keyframe Controls would show, second by second and on average.
//
//   lumatoy_window_bench [SEQUENCE.lmt] [SECONDS]   (needs a display: run under xvfb-run)
#include "app/MainFrame.h"
#include "app/ZoetraApp.h"
#include "app/ZoetraGLWidget.h"
#include "render/FrameClock.h"
#include "scene/CZoetraView.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString sequence =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : QString();
    const int seconds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 8;
    CZoetraApp zoetra;
    if (!zoetra.initInstance(sequence)) return 1;

    // Counting starts two seconds after the first frame is drawn (the splash and the
    // sequence's loads come before it), then runs for `seconds` seconds.
    std::vector<int> samples;
    int warm = -1, waited = 0;
    QTimer sampler;
    sampler.setInterval(1000);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (++waited > 180) app.quit(); // never drew: give up
        if (warm < 0) {
            if (zoetra.mainFrame()->viewWidget()->framesDrawn() > 0) warm = 0;
            return;
        }
        if (++warm <= 2) return;
        const int shown = zoetra.scene()->measuredFps;
        samples.push_back(shown);
        std::printf("%d s: %s\n", warm - 2, fpsText(shown));
        if (int(samples.size()) >= seconds) app.quit();
    });
    sampler.start();
    app.exec();

    double total = 0;
    for (int s : samples)
        total += s;
    const double mean = samples.empty() ? 0 : total / double(samples.size());
    std::printf("window %dx%d, mean %.1f frames a second (\"%s\")\n", zoetra.scene()->viewportWidth,
                zoetra.scene()->viewportHeight, mean, fpsText(int(mean + 0.5)));
    return 0;
}
