// Progress of a render on stderr.
#include "cli/ProgressLine.h"

#include <algorithm>
#include <cmath>
#include <unistd.h>

ProgressLine::ProgressLine() : ProgressLine(stderr, isatty(fileno(stderr)) == 1) {}

ProgressLine::ProgressLine(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}

ProgressLine::~ProgressLine() {
    if (lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
    }
}

QString ProgressLine::text(int done, int total, double fps) {
    QString line = QStringLiteral("frame %1 of %2").arg(done).arg(total);
    if (fps <= 0) return line;
    line += QStringLiteral(", %1 fps").arg(fps, 0, 'f', 1);
    if (done < total) {
        const long left = std::lround((total - done) / fps);
        line += left >= 60 ? QStringLiteral(", %1 min %2 s left").arg(left / 60).arg(left % 60)
                           : QStringLiteral(", %1 s left").arg(left);
    }
    return line;
}

void ProgressLine::update(int done, int total) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    update(done, total, std::chrono::duration<double>(now).count());
}

void ProgressLine::update(int done, int total, double seconds) {
    if (firstSeconds_ < 0) {
        firstSeconds_ = seconds;
        firstDone_ = done;
    }
    const double elapsed = seconds - firstSeconds_;
    const double fps = elapsed > 0 ? (done - firstDone_) / elapsed : 0.0;
    const bool last = done >= total;
    if (terminal_) {
        // Ten times a second is as fast as anyone reads.
        if (!last && lastShown_ >= 0 && seconds - lastShown_ < 0.1) return;
        lastShown_ = seconds;
        const QByteArray line = text(done, total, fps).toLocal8Bit();
        const int pad = std::max(0, widest_ - static_cast<int>(line.size()));
        widest_ = std::max(widest_, static_cast<int>(line.size()));
        std::fprintf(out_, "\r%s%*s%s", line.constData(), pad, "", last ? "\n" : "");
        lineOpen_ = !last;
    } else {
        // A log gets a line at each tenth of the run.
        const int tenth = total > 0 ? static_cast<int>(10LL * done / total) : 10;
        if (tenth <= lastTenth_) return;
        lastTenth_ = tenth;
        std::fprintf(out_, "%s\n", text(done, total, fps).toLocal8Bit().constData());
    }
    std::fflush(out_);
}
