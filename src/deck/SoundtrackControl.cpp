// Choosing, reading, showing and playing the soundtrack of the timeline.
#include "deck/SoundtrackControl.h"

#include "audio/EnvelopeWorker.h"
#include "deck/SoundtrackPlayer.h"
#include "deck/WaveformStrip.h"
#include "export/SoundtrackChoice.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyframeStore.h"

#include <QFileInfo>
#include <QSlider>

namespace {
const char* const kSoundFilter =
    "Sound Files (*.wav *.flac *.mp3 *.ogg *.oga *.opus *.m4a *.aac *.wma *.aif *.aiff);;"
    "Videos with Sound (*.mp4 *.mkv *.mov *.avi *.webm);;All Files (*)";
} // namespace

SoundtrackControl::SoundtrackControl(CZoetraView& v, QSlider* slider, WaveformStrip* strip,
                                     QObject* parent)
    : QObject(parent), v_(v), slider_(slider), strip_(strip),
      player_(std::make_unique<SoundtrackPlayer>()) {
    poller_.setInterval(50);
    connect(&poller_, &QTimer::timeout, this, [this] { poll(); });
    follower_.setInterval(15);
    connect(&follower_, &QTimer::timeout, this, [this] { followSound(); });
}

SoundtrackControl::~SoundtrackControl() = default;

int SoundtrackControl::framesPerSecond() const {
    return v_.aviFrameRate > 0 ? v_.aviFrameRate : 30;
}

void SoundtrackControl::chooseSoundtrack() {
    const QString path = platform().chooseOpenFile(
        {tr("Choose a Soundtrack"), QString::fromLatin1(kSoundFilter), QString(), QString()});
    if (!path.isEmpty()) takeSoundtrack(path);
}

void SoundtrackControl::takeSoundtrack(const QString& path) {
    startReading(QFileInfo(path).absoluteFilePath(), true);
}

void SoundtrackControl::startReading(const QString& path, bool tellFailure) {
    worker_.reset(); // a reading in progress is cancelled
    tellFailure_ = tellFailure;
    worker_ = std::make_unique<EnvelopeWorker>(path, framesPerSecond());
    strip_->setStatus(tr("Reading %1 …").arg(QFileInfo(path).fileName()));
    poller_.start();
}

void SoundtrackControl::poll() {
    if (!worker_) return;
    if (!worker_->finished()) {
        const int percent = int(worker_->progress() * 100);
        strip_->setStatus(
            tr("Reading %1 … %2 %").arg(QFileInfo(worker_->path()).fileName()).arg(percent));
        return;
    }
    poller_.stop();
    const std::unique_ptr<EnvelopeWorker> done = std::move(worker_);
    if (!done->succeeded()) {
        // Nothing changes: the soundtrack shown before (if any) stays.
        strip_->setStatus(QString());
        if (!done->error().isEmpty()) {
            if (tellFailure_)
                platform().inform(done->error(), tr("Soundtrack"), MessageIcon::Error);
            else
                strip_->setStatus(done->error());
        }
        emit readingFinished(false);
        return;
    }
    const SoundtrackAnalysis analysis = done->result();
    v_.soundtrackPath = done->path();
    rememberSoundtrack(v_.sequenceFilePath, v_.soundtrackPath);
    shownPath_ = done->path();
    shownRate_ = analysis.framesPerSecond;
    beats_ = QList<int>(analysis.beatFrames.begin(), analysis.beatFrames.end());
    strip_->setStatus(QString());
    strip_->setPeaks(analysis.peaks);
    strip_->setProposedKeys({});
    strip_->setToolTip(QFileInfo(shownPath_).fileName());
    emit readingFinished(true);
}

void SoundtrackControl::clearSoundtrack() {
    worker_.reset();
    poller_.stop();
    stopPlayback();
    v_.soundtrackPath.clear();
    rememberSoundtrack(v_.sequenceFilePath, QString());
    shownPath_.clear();
    beats_.clear();
    strip_->setStatus(QString());
    strip_->setPeaks({});
    strip_->setProposedKeys({});
    strip_->setToolTip(QString());
}

void SoundtrackControl::sequenceLoaded() {
    v_.soundtrackPath = rememberedSoundtrack(v_.sequenceFilePath);
    sync();
}

void SoundtrackControl::sync() {
    if (worker_) return;
    if (v_.soundtrackPath.isEmpty()) {
        if (!shownPath_.isEmpty()) clearSoundtrack();
        return;
    }
    if (v_.soundtrackPath != shownPath_ || shownRate_ != framesPerSecond()) {
        // A remembered file that has gone is said in the strip, not in a message box.
        const QString path = v_.soundtrackPath;
        shownPath_.clear();
        strip_->setPeaks({});
        startReading(path, false);
    }
}

void SoundtrackControl::proposeBeatKeys() {
    QList<int> inRange;
    for (int frame : beats_)
        if (frame >= slider_->minimum() && frame <= slider_->maximum()) inRange << frame;
    strip_->setProposedKeys(inRange);
}

void SoundtrackControl::acceptBeatKeys() {
    const QList<int> frames = strip_->proposedKeys();
    strip_->setProposedKeys({});
    bool added = false;
    for (int frame : frames)
        added = addKey(v_, frame) || added;
    if (added) emit keysAdded();
}

void SoundtrackControl::clearBeatKeys() {
    strip_->setProposedKeys({});
}

void SoundtrackControl::startPlayback() {
    if (shownPath_.isEmpty() || !v_.timelinePlaying) return;
    if (player_->play(shownPath_, v_.playFrame, framesPerSecond()))
        follower_.start();
    else
        strip_->setToolTip(player_->why());
}

void SoundtrackControl::stopPlayback() {
    follower_.stop();
    player_->stop();
}

// Drawing may be slower than the frame rate; the sound is never held back for it. The picture
// skips ahead to the frame the sound has reached, so that what is seen on a beat is what is
// heard on it (a slow machine shows fewer frames, never a late beat).
void SoundtrackControl::followSound() {
    if (!v_.timelinePlaying) {
        stopPlayback();
        return;
    }
    const int heard = player_->soundFrame();
    if (heard > v_.playFrame + 1 && heard < v_.timelineLength) v_.playFrame = heard;
}
