// The soundtrack under the Frame slider: the peak of each frame the slider covers, lined up
// with the slider's positions, and the proposed beat keys as ticks.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <vector>

class QSlider;

class WaveformStrip : public QWidget {
    Q_OBJECT
  public:
    WaveformStrip(QSlider* slider, QWidget* parent = nullptr);

    // The peaks per timeline frame (0 ... 1); empty: no soundtrack.
    void setPeaks(std::vector<float> peaks);
    const std::vector<float>& peaks() const { return peaks_; }
    // Frames proposed as keys, drawn as ticks until accepted or cleared.
    void setProposedKeys(QList<int> frames);
    const QList<int>& proposedKeys() const { return proposed_; }
    // A line shown in place of the waveform (reading progress, a problem); empty: none.
    void setStatus(const QString& text);
    QString status() const { return status_; }

    // The x of timeline frame `frame` in this widget: where the slider puts that position.
    int xOfFrame(int frame) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSlider* slider_;
    std::vector<float> peaks_;
    QList<int> proposed_;
    QString status_;
};
