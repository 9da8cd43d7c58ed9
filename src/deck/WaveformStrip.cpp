// Drawing the soundtrack's peaks under the Frame slider.
#include "deck/WaveformStrip.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {
constexpr int kStripHeight = 36;
const QColor kWaveColour(40, 110, 200);
const QColor kProposedColour(220, 60, 40);
} // namespace

WaveformStrip::WaveformStrip(QSlider* slider, QWidget* parent) : QWidget(parent), slider_(slider) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void WaveformStrip::setPeaks(std::vector<float> peaks) {
    peaks_ = std::move(peaks);
    update();
}

void WaveformStrip::setProposedKeys(QList<int> frames) {
    proposed_ = std::move(frames);
    update();
}

void WaveformStrip::setStatus(const QString& text) {
    status_ = text;
    update();
}

QSize WaveformStrip::sizeHint() const {
    return {slider_->sizeHint().width(), kStripHeight};
}

QSize WaveformStrip::minimumSizeHint() const {
    return {0, kStripHeight};
}

int WaveformStrip::xOfFrame(int frame) const {
    QStyleOptionSlider option;
    option.initFrom(slider_);
    option.orientation = Qt::Horizontal;
    option.minimum = slider_->minimum();
    option.maximum = slider_->maximum();
    option.sliderPosition = slider_->value();
    option.sliderValue = slider_->value();
    const QStyle* style = slider_->style();
    const QRect groove =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider_);
    const QRect handle =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_);
    const int span = groove.width() - handle.width();
    const int inSlider =
        groove.x() + handle.width() / 2 +
        QStyle::sliderPositionFromValue(slider_->minimum(), slider_->maximum(), frame, span);
    return mapFromGlobal(slider_->mapToGlobal(QPoint(inSlider, 0))).x();
}

void WaveformStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (!status_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, status_);
        return;
    }
    const int first = slider_->minimum(), last = slider_->maximum();
    const int middle = height() / 2, half = height() / 2 - 2;
    if (!peaks_.empty() && last > first) {
        // Each pixel column shows the loudest frame that falls on it.
        const int x0 = xOfFrame(first), x1 = xOfFrame(last);
        painter.setPen(kWaveColour);
        for (int x = std::max(0, x0); x <= std::min(width() - 1, x1); ++x) {
            const double from = first + double(x - x0) * (last - first) / std::max(1, x1 - x0);
            const double to = first + double(x + 1 - x0) * (last - first) / std::max(1, x1 - x0);
            float peak = 0;
            for (int f = int(from); f < std::max(int(from) + 1, int(to)); ++f)
                if (f >= 0 && f < int(peaks_.size())) peak = std::max(peak, peaks_[std::size_t(f)]);
            const int h = int(peak * half + 0.5f);
            if (h > 0) painter.drawLine(x, middle - h, x, middle + h);
        }
    }
    painter.setPen(QPen(kProposedColour, 2));
    for (int frame : proposed_)
        if (frame >= first && frame <= last) {
            const int x = xOfFrame(frame);
            painter.drawLine(x, 0, x, height() - 1);
        }
}
