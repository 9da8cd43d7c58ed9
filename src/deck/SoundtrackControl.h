// The soundtrack side of the Keyframe Controls page: choosing and clearing the sound file, reading
// its waveform on a worker thread, proposing keys on its beats, and playing it with the timeline.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class CZoetraView;
class EnvelopeWorker;
class QSlider;
class SoundtrackPlayer;
class WaveformStrip;

class SoundtrackControl : public QObject {
    Q_OBJECT
  public:
    SoundtrackControl(CZoetraView& v, QSlider* slider, WaveformStrip* strip,
                      QObject* parent = nullptr);
    ~SoundtrackControl() override;

    // "Soundtrack…": asks for a file, reads it, and takes it when it holds sound.
    void chooseSoundtrack();
    // Takes `path` as the soundtrack once it has been read (the dialog's answer, or a test's).
    void takeSoundtrack(const QString& path);
    // "No Soundtrack": drops the choice (and a reading in progress).
    void clearSoundtrack();
    // Shows what the view holds: after a sequence was loaded, the scene reset, or the rate
    // changed. A soundtrack remembered for the loaded .lmt file comes from the profile.
    void sequenceLoaded();
    void sync();

    // "Keys on Beats": the beats within the slider's range, proposed as ticks.
    void proposeBeatKeys();
    // Keys at the proposed frames (the scene as it is), then no proposals.
    void acceptBeatKeys();
    void clearBeatKeys();

    // Play and Stop of the timeline; scrubbing stays silent.
    void startPlayback();
    void stopPlayback();

    bool reading() const { return static_cast<bool>(worker_); }
    // The soundtrack shown (read and drawn), and the beats it holds.
    QString shownPath() const { return shownPath_; }
    const QList<int>& beatFrames() const { return beats_; }

  signals:
    // A reading ended: the waveform is drawn or the problem was told.
    void readingFinished(bool ok);
    // Keys were added by accepting proposals.
    void keysAdded();

  private:
    void startReading(const QString& path, bool tellFailure);
    void poll();
    void followSound();
    int framesPerSecond() const;

    CZoetraView& v_;
    QSlider* slider_;
    WaveformStrip* strip_;
    std::unique_ptr<EnvelopeWorker> worker_;
    bool tellFailure_ = true;
    QTimer poller_;
    QTimer follower_;
    QString shownPath_;
    int shownRate_ = 0;
    QList<int> beats_;
    std::unique_ptr<SoundtrackPlayer> player_;
};
