// The "Keyframe Controls" page: the Frame slider with a tick per key, Add Key, Copy, Paste, Play,
// Stop and Clear All, the timeline length, the stored sequences, the export buttons and the
// measured frame rate.
#pragma once

#include "deck/DeckPageWidget.h"

#include <QList>
#include <QSlider>
#include <QSpinBox>

class QComboBox;
class SoundtrackControl;
class WaveformStrip;
class QLabel;
class QLineEdit;

// A horizontal slider that draws a tick at each of a list of positions (and at both ends).
class KeyTickSlider : public QSlider {
    Q_OBJECT
  public:
    explicit KeyTickSlider(QWidget* parent = nullptr);
    void addTick(int position);
    void clearTicks();
    const QList<int>& ticks() const { return ticks_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QList<int> ticks_;
};

// "Number of Frames In Timeline:" with its spin: the number changes only through the arrows (the
// box takes no typing), which step over 1...10,000; a loaded file without keys makes it show 0.
class FrameCountSpin : public QSpinBox {
    Q_OBJECT
  public:
    explicit FrameCountSpin(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
};

class CmyPage10 : public DeckPageWidget {
    Q_OBJECT
  public:
    CmyPage10(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);

    // What the core asks of the page (through the deck).
    void setFrameSlider(int frame);
    int frameSliderPosition() const;
    void showFrame(int frame);
    void addKeyTick(int frame, int keyCount);
    void clearKeyTicks();
    void sequenceLoaded(int lastKeyFrame);
    void showFrameRate(const QString& text);

    void activate() override;

    // The controls, for tests.
    KeyTickSlider* frameSlider() const { return slider_; }
    QLineEdit* frameEdit() const { return frame_; }
    QLineEdit* keysEdit() const { return keys_; }
    FrameCountSpin* lengthSpin() const { return length_; }
    QComboBox* sequenceCombo() const { return sequences_; }
    QLabel* frameRateLabel() const { return fps_; }
    QLabel* screenSizeLabel() const { return screenSize_; }
    WaveformStrip* waveform() const { return waveform_; }
    SoundtrackControl* soundtrack() const { return soundtrack_; }
    QPushButton* button(const QString& caption) const;
    bool keyCopied() const { return keyCopied_; }

  protected:
    void createContents() override;

  private:
    void redrawKeyTicks();
    void fillSequences();
    void scrub(int position);
    void lengthChanged(int frames);
    void sequenceChosen(int index);
    void askForMeasuredFrameRate();
    QPushButton* addButton(const QString& caption, QBoxLayout* row, void (CmyPage10::*handler)());
    void onAddKey();
    void onCopy();
    void onPaste();
    void onPlay();
    void onStop();
    void onClearAll();
    void onAddToPresets();
    void onExportSettings();
    void onExportVideo();
    // The page's rows, top to bottom.
    void addTimelineBox(QBoxLayout* top);
    void addKeyRow(QBoxLayout* top);
    void addSoundtrackRow(QBoxLayout* top);
    void addLowerRow(QBoxLayout* top);

    KeyTickSlider* slider_ = nullptr;
    QLineEdit* frame_ = nullptr;
    QLineEdit* keys_ = nullptr;
    FrameCountSpin* length_ = nullptr;
    QComboBox* sequences_ = nullptr;
    QLabel* fps_ = nullptr;
    QLabel* screenSize_ = nullptr; // in the hidden "Screen Size" box, unused
    WaveformStrip* waveform_ = nullptr;
    SoundtrackControl* soundtrack_ = nullptr;
    QList<QPushButton*> buttons_;
    bool keyCopied_ = false;
    int sequenceIndex_ = -1;
    bool updating_ = false;
};
