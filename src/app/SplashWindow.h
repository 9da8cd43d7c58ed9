// Runs the "Please Wait:" splash for the platform layer: one CSplashScreenEx per showing, set up
// from a SplashLook.
#pragma once

#include "platform/Platform.h"

#include <QPointer>

class CSplashScreenEx;

class SplashWindow {
  public:
    ~SplashWindow();
    // A new splash with `text`, the look's bitmap (a file of the program folder), key colour,
    // font, text rectangle, colour and format, shown at once.
    void show(const QString& text, const SplashLook& look);
    void setText(const QString& text);
    // Hides the splash; it destroys itself.
    void hide();
    // The splash on screen, or null.
    CSplashScreenEx* window() const;

  private:
    QPointer<CSplashScreenEx> splash_;
};
