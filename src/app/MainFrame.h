// The main window: menu, toolbar, status bar and the view in the middle.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

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

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The scene shown in the middle.
    CZoetraView& view();
    QWidget* viewWidget() const;
    // Whether the view has initialised the scene with its GL context.
    bool sceneReady() const;
    // Runs `work` with the view's GL context current.
    void withViewContext(const std::function<void()>& work);

    QAction* action(Command command) const { return actions_[size_t(command)]; }
    QToolBar* toolBar() const { return toolBar_; }
    // Whether the toolbar shows the program's own pictures (false: the style's stand-ins).
    bool hasToolbarImages() const { return ownImages_; }

  private:
    QAction* makeAction(Command command, const QString& text, const QString& tip,
                        void (*handler)(CMainFrame&));
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();

    std::array<QAction*, size_t(Command::Count)> actions_{};
    ZoetraGLWidget* viewHost_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    LockKeyIndicators* indicators_ = nullptr;
    bool ownImages_ = false;
};

// The main window with its view, ready to be shown.
std::unique_ptr<CMainFrame> createMainWindow();
