// The platform's splash operations carried out with CSplashScreenEx.
#include "app/SplashWindow.h"

#include "app/SplashScreenEx.h"
#include "assets/AssetPaths.h"

SplashWindow::~SplashWindow() {
    delete splash_.data();
}

void SplashWindow::show(const QString& text, const SplashLook& look) {
    hide();
    auto* splash = new CSplashScreenEx;
    splash->Create(nullptr, text, unsigned(look.timeoutMs), look.style);
    splash->SetBitmap(findProgramFile(look.bitmap), look.keyRed, look.keyGreen, look.keyBlue);
    splash->SetTextFont(look.fontFace, look.fontSize, unsigned(look.fontFlags));
    // The rectangle's right and bottom edges lie outside it.
    splash->SetTextRect(QRect(QPoint(look.textLeft, look.textTop),
                              QPoint(look.textRight - 1, look.textBottom - 1)));
    splash->SetTextColor(look.textColour);
    splash->SetTextFormat(look.textFormat);
    splash->Show();
    splash_ = splash;
}

void SplashWindow::setText(const QString& text) {
    if (splash_) splash_->SetText(text);
}

void SplashWindow::hide() {
    if (splash_) splash_->Hide();
    splash_ = nullptr;
}

CSplashScreenEx* SplashWindow::window() const {
    return splash_.data();
}
