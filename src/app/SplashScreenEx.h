// CSplashScreenEx: a frameless pop-up showing a bitmap, cut to shape by a key colour, with a line
// of text over it; optional fades, centring, time-out and hiding on a key or mouse press.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QWidget>

class QPropertyAnimation;

class CSplashScreenEx : public QWidget {
    Q_OBJECT
  public:
    // Style flags.
    static constexpr unsigned kFadeIn = 1;        // 500 ms fade when shown
    static constexpr unsigned kFadeOut = 2;       // 200 ms fade when hidden
    static constexpr unsigned kShadow = 4;        // drop shadow, where the window system draws one
    static constexpr unsigned kCentreScreen = 8;  // centred on the screen
    static constexpr unsigned kCentreParent = 16; // centred on the parent window
    static constexpr unsigned kHideOnInput = 32;  // a key or mouse press hides it
    // Text format flags (the DrawText values).
    static constexpr unsigned kTextCentre = 0x01, kTextRight = 0x02, kTextVCentre = 0x04,
                              kTextBottom = 0x08, kTextWordBreak = 0x10, kTextSingleLine = 0x20;

    // Made on the heap: Hide() destroys the window and the object deletes itself.
    CSplashScreenEx();

    // Stores parent, text, time-out (0: no automatic hiding) and style; the window stays hidden
    // and empty until a bitmap is set and it is shown. Returns whether the window exists.
    bool Create(QWidget* parent, const QString& text = QString(), unsigned timeoutMs = 0,
                unsigned style = 0);
    // The picture, its size, the text rectangle (the whole picture) and the position. With no
    // component -1, pixels of colour (red, green, blue) are cut out of the window's shape.
    // Returns false when the picture cannot be loaded.
    bool SetBitmap(const QString& file, int red, int green, int blue);
    bool SetBitmap(const QImage& image, int red, int green, int blue);
    // Face and size in tenths of a point; flags 1 bold, 2 italic, 4 underline.
    void SetTextFont(const QString& face, int sizeTenths, unsigned flags);
    void SetText(const QString& text);
    void SetTextColor(const QColor& colour);
    void SetTextRect(const QRect& rect);
    void SetTextFormat(unsigned drawTextFlags);
    void Show();
    void Hide();

    QString text() const { return text_; }
    QRect textRect() const { return textRect_; }
    QColor textColour() const { return textColour_; }
    unsigned textFormat() const { return textFormat_; }
    unsigned style() const { return style_; }
    QFont textFont() const { return font_; }
    QPoint splashPosition() const { return position_; }
    QSize bitmapSize() const { return bitmap_.size(); }
    // The window's shape; empty when the window is rectangular.
    QRegion shape() const { return shape_; }

    // The shape of `image` without the pixels of colour `key`: one-pixel-high runs, united.
    static QRegion regionFromBitmap(const QImage& image, QRgb key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void redraw();
    void finishHide();

    QPointer<QWidget> parent_;
    QImage bitmap_;
    QFont font_;
    QString text_;
    unsigned style_ = 0;
    unsigned timeoutMs_ = 2000;
    QRect textRect_;
    QColor textColour_ = QColor(0, 0, 0);
    unsigned textFormat_ = kTextCentre | kTextVCentre | kTextWordBreak;
    QPoint position_{0, 0};
    QRegion shape_;
    int timerId_ = 0;
    bool hiding_ = false;
    QPointer<QPropertyAnimation> fade_;
};
