// The main window: menu, toolbar, status bar and the view in the middle.
#pragma once

#include "app/QtPlatform.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class CMySheet;
class CZoetraView;
class LockKeyIndicators;
class QAction;
class QLabel;
class QToolBar;
class ZoetraGLWidget;

// The main window's commands, one action each.
enum class Command {
    New,
    OpenSequence,
    SaveSequence,
    SaveBitmap,
    CopyToClipboard,
    Exit,
    ToggleToolbar,
    ToggleStatusBar,
    Settings,
    ExportVideo,
    ControlDeck,
    About,
    OnlineHelp,
    SequencePacks,
    CheckForUpdates,
    Count
};

class CMainFrame : public QMainWindow, public QtPlatform::Strippable {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The scene shown in the middle.
    CZoetraView& scene();
    ZoetraGLWidget* viewWidget() const;
    // Whether the view has initialised the scene with its GL context.
    bool sceneReady() const;
    // Runs `work` with the view's GL context current.
    void withViewContext(const std::function<void()>& work);

    QAction* action(Command command) const { return actions_[size_t(command)]; }
    QToolBar* toolBar() const { return toolBar_; }
    // Whether the toolbar shows the program's own pictures (false: the style's stand-ins).
    bool hasToolbarImages() const { return ownImages_; }

    // The Control Deck command: opens the deck, or brings the open one forward.
    void openControlDeck();
    // The open deck, or null.
    CMySheet* controlDeck() const;

    // While recording: no menu, toolbar, caption or sizing border; the window stays in place.
    // Giving them back shows the toolbar again.
    void setStripped(bool stripped) override;
    bool isStripped() const { return stripped_; }

  private:
    QAction* makeAction(Command command, const QString& text, const QString& tip,
                        void (*handler)(CMainFrame&));
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();

    std::array<QAction*, size_t(Command::Count)> actions_{};
    ZoetraGLWidget* glView_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    LockKeyIndicators* indicators_ = nullptr;
    QPointer<CMySheet> deck_;
    bool ownImages_ = false;
    bool stripped_ = false;
};

// The main window with its view, ready to be shown.
std::unique_ptr<CMainFrame> createMainWindow();
