// The application object: the profile's location, the main window, the start file and the
// desktop services for the window.
#pragma once

#include "platform/Platform.h"

#include <QString>
#include <memory>

class CMainFrame;
class CZoetraView;
class QtPlatform;

class CZoetraApp {
  public:
    CZoetraApp();
    ~CZoetraApp();

    // Starts the program: names the profile, builds the main window, hands `startFile` (an
    // absolute path, or empty) to the view as its start sequence, installs the Qt desktop
    // services and shows the window. The view initialises the scene when it first appears.
    bool initInstance(const QString& startFile = QString());

    CMainFrame* mainFrame() const { return frame_.get(); }
    CZoetraView* scene() const { return view_; }
    // Set while the command line asks to open a file.
    unsigned char openFileAtStart = 0;

    // Names the organisation and application the profile is filed under.
    static void setRegistryKey();

  private:
    std::unique_ptr<QtPlatform> platform_;
    std::unique_ptr<PlatformOverride> usePlatform_; // platform_ in force while the window lives
    std::unique_ptr<CMainFrame> frame_;
    CZoetraView* view_ = nullptr;
};
