// The application object: the profile's location, the main window, the start file and the
// desktop services for the window.
#include "app/ZoetraApp.h"

#include "app/MainFrame.h"
#include "app/QtPlatform.h"
#include "export/ExportSettings.h"
#include "scene/CZoetraView.h"

#include <QCoreApplication>
#include <QSettings>

CZoetraApp::CZoetraApp() = default;

CZoetraApp::~CZoetraApp() {
    // The window goes first; the desktop services must not outlive the application object.
    frame_.reset();
    usePlatform_.reset();
}

void CZoetraApp::setRegistryKey() {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kProfileOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(kProfileApplication));
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

bool CZoetraApp::initInstance(const QString& startFile) {
    setRegistryKey();
    frame_ = createMainWindow();
    if (!frame_) return false;
    view_ = &frame_->scene();
    platform_ = std::make_unique<QtPlatform>(frame_.get());
    usePlatform_ = std::make_unique<PlatformOverride>(*platform_);
    if (!startFile.isEmpty()) {
        openFileAtStart = 1;
        view_->startFilePath = startFile;
        view_->startFileRequested = 1;
    }
    frame_->show();
    return true;
}
