// Plays the soundtrack from a timeline frame through the default sound output (Qt Multimedia),
// decoding as the output asks for more. Without a sound device it stays silent and says so.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QAudioSink;
class SoundtrackStream;

class SoundtrackPlayer : public QObject {
    Q_OBJECT
  public:
    explicit SoundtrackPlayer(QObject* parent = nullptr);
    ~SoundtrackPlayer() override;

    // Starts `path` at timeline frame `frame` of a timeline of `framesPerSecond`. False when
    // there is no sound output or the file cannot be read; `why()` says which.
    bool play(const QString& path, int frame, int framesPerSecond);
    void stop();
    bool isPlaying() const;
    // The timeline frame the sound has reached (the start frame plus what the output played).
    int soundFrame() const;
    QString why() const { return why_; }

  private:
    std::unique_ptr<SoundtrackStream> stream_;
    std::unique_ptr<QAudioSink> sink_;
    int startFrame_ = 0;
    int framesPerSecond_ = 30;
    QString why_;
};
