// The splash window: shape from a key colour, text drawing, fades, centring, time-out, input.
#include "app/SplashScreenEx.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimerEvent>
#include <QVector>

namespace {
// Fades need a window system that can change a window's opacity.
bool canFade() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
} // namespace

CSplashScreenEx::CSplashScreenEx() : QWidget(nullptr) {
    font_ = QApplication::font();
}

bool CSplashScreenEx::Create(QWidget* parent, const QString& text, unsigned timeoutMs,
                             unsigned style) {
    parent_ = parent;
    text_ = text;
    timeoutMs_ = timeoutMs;
    style_ = style;
    // A top-level pop-up above other windows, without frame or task-bar entry. It is not a
    // child of `parent` (that would embed it); the parent is only where it may centre.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    setAutoFillBackground(false);
    // The window-manager hint for a shadow: a splash window type, which compositors that draw
    // shadows give one; nothing more can be asked portably.
    winId();
    return windowHandle() != nullptr;
}

bool CSplashScreenEx::SetBitmap(const QString& file, int red, int green, int blue) {
    const QImage image(file);
    if (image.isNull()) return false;
    return SetBitmap(image, red, green, blue);
}

bool CSplashScreenEx::SetBitmap(const QImage& image, int red, int green, int blue) {
    if (image.isNull()) return false;
    bitmap_ = image.convertToFormat(QImage::Format_RGB32);
    textRect_ = bitmap_.rect();
    const QSize size = bitmap_.size();
    if (style_ & kCentreScreen) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->geometry() : QRect(0, 0, 0, 0);
        position_ = {area.left() + (area.width() - size.width()) / 2,
                     area.top() + (area.height() - size.height()) / 2};
    } else if ((style_ & kCentreParent) && parent_) {
        const QRect area = parent_->window()->frameGeometry();
        position_ = {area.left() + (area.width() - size.width()) / 2,
                     area.top() + (area.height() - size.height()) / 2};
    }
    resize(size);
    if (red != -1 && green != -1 && blue != -1) {
        shape_ = regionFromBitmap(bitmap_, qRgb(red, green, blue));
        setMask(shape_);
    } else {
        shape_ = QRegion();
        clearMask();
    }
    redraw();
    return true;
}

QRegion CSplashScreenEx::regionFromBitmap(const QImage& source, QRgb key) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const QRgb keyColour = key & 0xFFFFFF;
    QVector<QRect> runs;
    runs.reserve(40);
    // Rows from the bottom to the top; a run starts at a pixel that is not the key colour and
    // ends before the next key pixel or at the row's end.
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (row[x] & 0xFFFFFF) == keyColour)
                ++x;
            const int start = x;
            while (x < image.width() && (row[x] & 0xFFFFFF) != keyColour)
                ++x;
            if (x > start) {
                if (runs.size() == runs.capacity()) runs.reserve(runs.size() + 40);
                runs.append(QRect(start, y, x - start, 1));
            }
        }
    }
    QRegion region;
    for (const QRect& r : runs)
        region += r;
    return region;
}

void CSplashScreenEx::SetTextFont(const QString& face, int sizeTenths, unsigned flags) {
    // A face this machine lacks would be replaced by whatever fontconfig finds closest, which can
    // be a symbol font; fall back to the plain sans-serif face instead.
    QFont font(face);
    if (!QFontDatabase::hasFamily(face)) {
        font.setStyleHint(QFont::SansSerif);
        font.setFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    }
    font.setPointSizeF(sizeTenths / 10.0);
    font.setWeight(flags & 1 ? QFont::Bold : QFont::Normal);
    font.setItalic(flags & 2);
    font.setUnderline(flags & 4);
    font_ = font;
}

void CSplashScreenEx::SetText(const QString& text) {
    text_ = text;
    redraw();
}

void CSplashScreenEx::SetTextColor(const QColor& colour) {
    textColour_ = colour;
    redraw();
}

void CSplashScreenEx::SetTextRect(const QRect& rect) {
    textRect_ = rect;
    redraw();
}

void CSplashScreenEx::SetTextFormat(unsigned drawTextFlags) {
    textFormat_ = drawTextFlags;
}

void CSplashScreenEx::redraw() {
    // Paints at once: the caller usually blocks the thread right afterwards.
    if (isVisible()) repaint();
}

void CSplashScreenEx::Show() {
    move(position_);
    resize(bitmap_.size());
    if ((style_ & kFadeIn) && canFade()) {
        setWindowOpacity(0.0);
        show();
        fade_ = new QPropertyAnimation(this, "windowOpacity", this);
        fade_->setDuration(500);
        fade_->setStartValue(0.0);
        fade_->setEndValue(1.0);
        fade_->start(QAbstractAnimation::DeleteWhenStopped);
    } else {
        show();
    }
    raise();
    repaint();
    if (timeoutMs_ != 0) timerId_ = startTimer(int(timeoutMs_));
}

void CSplashScreenEx::Hide() {
    if (hiding_) return;
    hiding_ = true;
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
    if (fade_) fade_->stop();
    if ((style_ & kFadeOut) && canFade() && isVisible()) {
        auto* out = new QPropertyAnimation(this, "windowOpacity", this);
        out->setDuration(200);
        out->setStartValue(windowOpacity());
        out->setEndValue(0.0);
        connect(out, &QPropertyAnimation::finished, this, &CSplashScreenEx::finishHide);
        out->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    finishHide();
}

void CSplashScreenEx::finishHide() {
    hide();
    deleteLater(); // the window goes, and with it the object
}

void CSplashScreenEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, bitmap_);
    if (text_.isEmpty()) return;
    int flags = 0;
    flags |= textFormat_ & kTextRight    ? Qt::AlignRight
             : textFormat_ & kTextCentre ? Qt::AlignHCenter
                                         : Qt::AlignLeft;
    // Vertical placement applies to a single line, as with DrawText.
    if (textFormat_ & kTextSingleLine)
        flags |= textFormat_ & kTextBottom    ? Qt::AlignBottom
                 : textFormat_ & kTextVCentre ? Qt::AlignVCenter
                                              : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if ((textFormat_ & kTextWordBreak) && !(textFormat_ & kTextSingleLine))
        flags |= Qt::TextWordWrap;
    p.setFont(font_);
    p.setPen(textColour_);
    p.drawText(textRect_, flags, text_);
}

void CSplashScreenEx::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_) return QWidget::timerEvent(event);
    killTimer(timerId_);
    timerId_ = 0;
    Hide();
}

void CSplashScreenEx::keyPressEvent(QKeyEvent* event) {
    if (style_ & kHideOnInput) {
        event->accept();
        Hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CSplashScreenEx::mousePressEvent(QMouseEvent* event) {
    if (style_ & kHideOnInput) {
        event->accept();
        Hide();
        return;
    }
    QWidget::mousePressEvent(event);
}
