// The "Keyframe Controls" page.
#include "deck/KeyframePage.h"

#include "deck/SoundtrackControl.h"
#include "deck/WaveformStrip.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"
#include "timeline/SequenceLibrary.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kDefaultTimelineFrames = 300;
constexpr int kMaxTimelineFrames = 10000;
constexpr int kTickLength = 5;
constexpr int kStatusFontPixels = 14;

// The page's font for its status texts: Arial, 14 pixels high, or the system's sans-serif face
// where Arial is missing (fontconfig would otherwise pick whatever it finds closest).
QFont statusFont() {
    QFont font(QStringLiteral("Arial"));
    if (!QFontDatabase::hasFamily(font.family())) {
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(font.defaultFamily());
    }
    font.setPixelSize(kStatusFontPixels);
    return font;
}
} // namespace

FrameCountSpin::FrameCountSpin(QWidget* parent) : QSpinBox(parent) {
    setRange(0, kMaxTimelineFrames);
    setKeyboardTracking(false);
    lineEdit()->setReadOnly(true);
}

void FrameCountSpin::stepBy(int steps) {
    setValue(std::clamp(value() + steps, 1, maximum()));
}

QAbstractSpinBox::StepEnabled FrameCountSpin::stepEnabled() const {
    StepEnabled enabled = QSpinBox::stepEnabled();
    if (value() <= 1) enabled &= ~StepDownEnabled;
    return enabled;
}

KeyTickSlider::KeyTickSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
}

void KeyTickSlider::addTick(int position) {
    ticks_ << position;
    update();
}

void KeyTickSlider::clearTicks() {
    ticks_.clear();
    update();
}

QSize KeyTickSlider::sizeHint() const {
    const QSize base = QSlider::sizeHint();
    return {std::max(base.width(), fontMetrics().averageCharWidth() * 80),
            base.height() + kTickLength + 2};
}

QSize KeyTickSlider::minimumSizeHint() const {
    const QSize base = QSlider::minimumSizeHint();
    return {base.width(), base.height() + kTickLength + 2};
}

void KeyTickSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int left = groove.x() + handle.width() / 2;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int bottom = height() - 1;
    auto tickAt = [&](int value, int length) {
        const int x = left + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
        painter.drawLine(x, bottom - length, x, bottom);
    };
    // Like a trackbar: the two ends carry a tick, and every key within the range one more.
    tickAt(minimum(), kTickLength);
    tickAt(maximum(), kTickLength);
    for (int tick : ticks_)
        if (tick >= minimum() && tick <= maximum()) tickAt(tick, kTickLength);
}

CmyPage10::CmyPage10(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : DeckPageWidget(DeckPage::Keyframes, v, services, parent) {}

QPushButton* CmyPage10::addButton(const QString& caption, QBoxLayout* row,
                                  void (CmyPage10::*handler)()) {
    auto* button = new QPushButton(caption, this);
    connect(button, &QPushButton::clicked, this, handler);
    row->addWidget(button);
    buttons_ << button;
    return button;
}

QPushButton* CmyPage10::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

// Copying, playing, moving through the timeline and exporting are no edits of the scene.
static constexpr const char* kNotAnEdit = "lumatoyNotAnEdit";

void CmyPage10::createContents() {
    CZoetraView& v = scene();
    auto* top = new QVBoxLayout(this);
    addTimelineBox(top);
    addKeyRow(top);
    addSoundtrackRow(top);
    addLowerRow(top);
    top->addStretch(1);

    // The slider covers the timeline up to its last key (300 frames without keys); the length
    // shown starts at 300.
    const int lastKey = v.keyFrames[v.keyCount];
    updating_ = true;
    slider_->setRange(0, lastKey != 0 ? lastKey : kDefaultTimelineFrames);
    slider_->setValue(0);
    length_->setValue(kDefaultTimelineFrames);
    updating_ = false;
    frame_->setText(QStringLiteral("0"));
    redrawKeyTicks();
    fillSequences();
    askForMeasuredFrameRate();

    connect(slider_, &QSlider::valueChanged, this, [this](int position) { scrub(position); });
    connect(length_, &QSpinBox::valueChanged, this, [this](int frames) { lengthChanged(frames); });
    connect(sequences_, &QComboBox::activated, this, [this](int index) { sequenceChosen(index); });
}

// The timeline slider with the soundtrack's waveform, the frame and key counts and the length.
void CmyPage10::addTimelineBox(QBoxLayout* top) {
    auto* timeline = new QGroupBox(tr("Timeline"), this);
    auto* timelineLayout = new QVBoxLayout(timeline);
    slider_ = new KeyTickSlider(timeline);
    slider_->setProperty(kNotAnEdit, true);
    timelineLayout->addWidget(slider_);
    // The soundtrack's waveform under the slider and its ticks, frame for frame.
    waveform_ = new WaveformStrip(slider_, timeline);
    timelineLayout->addWidget(waveform_);
    soundtrack_ = new SoundtrackControl(scene(), slider_, waveform_, this);
    connect(slider_, &QSlider::rangeChanged, waveform_, [this] { waveform_->update(); });
    connect(soundtrack_, &SoundtrackControl::keysAdded, this, [this] { redrawKeyTicks(); });
    auto* numbers = new QHBoxLayout;
    frame_ = new QLineEdit(timeline);
    keys_ = new QLineEdit(timeline);
    for (QLineEdit* edit : {frame_, keys_}) {
        edit->setReadOnly(true);
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    }
    length_ = new FrameCountSpin(timeline);
    numbers->addWidget(new QLabel(tr("Frame:"), timeline));
    numbers->addWidget(frame_);
    numbers->addWidget(new QLabel(tr("Keys:"), timeline));
    numbers->addWidget(keys_);
    numbers->addStretch(1);
    numbers->addWidget(new QLabel(tr("Number of Frames In Timeline:"), timeline));
    numbers->addWidget(length_);
    timelineLayout->addLayout(numbers);
    top->addWidget(timeline);
}

void CmyPage10::addKeyRow(QBoxLayout* top) {
    auto* keysRow = new QHBoxLayout;
    addButton(tr("+ Add Key"), keysRow, &CmyPage10::onAddKey);
    addButton(tr("Copy"), keysRow, &CmyPage10::onCopy)->setProperty(kNotAnEdit, true);
    addButton(tr("Paste"), keysRow, &CmyPage10::onPaste);
    keysRow->addSpacing(fontMetrics().averageCharWidth() * 2);
    addButton(tr("Play >"), keysRow, &CmyPage10::onPlay)->setProperty(kNotAnEdit, true);
    addButton(tr("Stop"), keysRow, &CmyPage10::onStop)->setProperty(kNotAnEdit, true);
    keysRow->addSpacing(fontMetrics().averageCharWidth() * 2);
    addButton(tr("Clear All"), keysRow, &CmyPage10::onClearAll);
    keysRow->addStretch(1);
    top->addLayout(keysRow);
}

// The sequence selection, the measured frame rate, the (hidden) screen size and the export
// buttons.
void CmyPage10::addLowerRow(QBoxLayout* top) {
    auto* lower = new QHBoxLayout;
    auto* selection = new QGroupBox(tr("Sequence Selection"), this);
    auto* selectionLayout = new QHBoxLayout(selection);
    sequences_ = new QComboBox(selection);
    sequences_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    sequences_->setMinimumContentsLength(24);
    selectionLayout->addWidget(sequences_, 1);
    auto* presets = new QHBoxLayout;
    addButton(tr("Add to Presets"), presets, &CmyPage10::onAddToPresets)
        ->setProperty(kNotAnEdit, true);
    selectionLayout->addLayout(presets);
    lower->addWidget(selection, 1);

    auto* rate = new QGroupBox(tr("Frame Rate"), this);
    auto* rateLayout = new QHBoxLayout(rate);
    fps_ = new QLabel(rate);
    fps_->setFont(statusFont());
    fps_->setMinimumWidth(fps_->fontMetrics().horizontalAdvance(QStringLiteral("00000 Fps")));
    rateLayout->addWidget(fps_);
    lower->addWidget(rate);
    auto* screen = new QGroupBox(tr("Screen Size"), this);
    auto* screenLayout = new QHBoxLayout(screen);
    screenSize_ = new QLabel(screen);
    screenSize_->setFont(statusFont());
    screenLayout->addWidget(screenSize_);
    screen->setVisible(false);
    lower->addWidget(screen);

    auto* exportRow = new QVBoxLayout;
    addButton(tr("Video Export Settings"), exportRow, &CmyPage10::onExportSettings)
        ->setProperty(kNotAnEdit, true);
    addButton(tr("Export Video"), exportRow, &CmyPage10::onExportVideo)
        ->setProperty(kNotAnEdit, true);
    lower->addLayout(exportRow);
    top->addLayout(lower);
}

void CmyPage10::addSoundtrackRow(QBoxLayout* top) {
    auto* row = new QHBoxLayout;
    auto add = [&](const QString& caption, void (SoundtrackControl::*handler)()) {
        auto* button = new QPushButton(caption, this);
        connect(button, &QPushButton::clicked, soundtrack_, handler);
        row->addWidget(button);
        buttons_ << button;
    };
    add(tr("Soundtrack…"), &SoundtrackControl::chooseSoundtrack);
    add(tr("No Soundtrack"), &SoundtrackControl::clearSoundtrack);
    row->addSpacing(fontMetrics().averageCharWidth() * 2);
    add(tr("Keys on Beats"), &SoundtrackControl::proposeBeatKeys);
    add(tr("Accept Beat Keys"), &SoundtrackControl::acceptBeatKeys);
    add(tr("Clear Beat Keys"), &SoundtrackControl::clearBeatKeys);
    row->addStretch(1);
    top->addLayout(row);
}

void CmyPage10::askForMeasuredFrameRate() {
    // The frame clock writes the measured rate while this page exists.
    scene().showFps = 2.0f;
}

void CmyPage10::activate() {
    askForMeasuredFrameRate();
    if (soundtrack_) soundtrack_->sync();
}

void CmyPage10::fillSequences() {
    CZoetraView& v = scene();
    sequences_->clear();
    const int count = std::max(1, std::min(v.sequenceCount, int(kSequenceNameCapacity)));
    for (int i = 0; i < count; ++i)
        sequences_->addItem(i == 0 && v.sequenceNames[0].isEmpty()
                                ? QStringLiteral("Nothing Selected")
                                : v.sequenceNames[i]);
    int selected = 0;
    if (v.randomSequenceAtStart && v.currentPreset > 0 && v.currentPreset < count)
        selected = v.currentPreset;
    sequences_->setCurrentIndex(selected);
    sequenceIndex_ = selected;
}

void CmyPage10::redrawKeyTicks() {
    CZoetraView& v = scene();
    slider_->clearTicks();
    for (int i = 1; i <= v.keyCount; ++i)
        slider_->addTick(v.keyFrames[i]);
    keys_->setText(QString::number(v.keyCount));
}

void CmyPage10::scrub(int position) {
    if (updating_) return;
    askForMeasuredFrameRate();
    frame_->setText(QString::number(position));
    inView([&] { scrubToFrame(scene(), position); });
}

void CmyPage10::lengthChanged(int frames) {
    if (updating_) return;
    askForMeasuredFrameRate();
    // The length bounds the slider only; the baked timeline stays as it is.
    updating_ = true;
    slider_->setRange(0, frames);
    updating_ = false;
    redrawKeyTicks();
}

void CmyPage10::sequenceChosen(int index) {
    askForMeasuredFrameRate();
    if (index <= 0) {
        sequenceIndex_ = index;
        return;
    }
    bool loaded = false;
    if (services().openStoredSequence)
        loaded = services().openStoredSequence(index);
    else
        inView([&] { loaded = loadStoredSequence(scene(), index); });
    // A file that is refused leaves the scene, and the choice shown, as they were.
    if (loaded)
        sequenceIndex_ = index;
    else if (sequences_)
        sequences_->setCurrentIndex(std::max(0, sequenceIndex_));
}

void CmyPage10::onAddKey() {
    addKey(scene(), slider_->value());
}

void CmyPage10::onCopy() {
    copyKey(scene(), slider_->value(), keyCopied_);
}

void CmyPage10::onPaste() {
    pasteKey(scene(), slider_->value(), keyCopied_);
}

void CmyPage10::onPlay() {
    playTimeline(scene());
    askForMeasuredFrameRate();
    soundtrack_->startPlayback();
}

void CmyPage10::onStop() {
    stopTimeline(scene());
    askForMeasuredFrameRate();
    soundtrack_->stopPlayback();
}

void CmyPage10::onClearAll() {
    clearAllKeys(scene());
}

void CmyPage10::onAddToPresets() {
    addToPresets(scene());
    // The new preset is offered at once.
    const int shown = sequences_->currentIndex();
    fillSequences();
    if (shown >= 0 && shown < sequences_->count()) {
        sequences_->setCurrentIndex(shown);
        sequenceIndex_ = shown;
    }
}

void CmyPage10::onExportSettings() {
    openExportSettingsFromPage();
}

void CmyPage10::onExportVideo() {
    if (services().exportVideo) services().exportVideo();
}

void CmyPage10::setFrameSlider(int frame) {
    if (!slider_) return;
    updating_ = true;
    slider_->setValue(frame);
    updating_ = false;
}

int CmyPage10::frameSliderPosition() const {
    return slider_ ? slider_->value() : 0;
}

void CmyPage10::showFrame(int frame) {
    if (frame_) frame_->setText(QString::number(frame));
}

void CmyPage10::addKeyTick(int frame, int keyCount) {
    if (!slider_) return;
    slider_->addTick(frame);
    keys_->setText(QString::number(keyCount));
}

void CmyPage10::clearKeyTicks() {
    if (!slider_) return;
    slider_->clearTicks();
    keys_->setText(QStringLiteral("0"));
    setFrameSlider(0);
    showFrame(0);
}

void CmyPage10::sequenceLoaded(int lastKeyFrame) {
    if (!slider_) return;
    updating_ = true;
    slider_->setRange(0, lastKeyFrame);
    slider_->setValue(0);
    // A file without keys shows 0 here; the arrows then step from 1.
    length_->setValue(lastKeyFrame);
    updating_ = false;
    showFrame(0);
    redrawKeyTicks();
    soundtrack_->sequenceLoaded();
}

void CmyPage10::showFrameRate(const QString& text) {
    if (fps_) fps_->setText(text);
}
