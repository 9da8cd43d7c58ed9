// The main window: menu, toolbar, status bar and the view in the middle.
#pragma once

#include "app/QtPlatform.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class CMySheet;
class EditHistory;
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
    SaveSequenceAs,
    Undo,
    Redo,
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

    // The undo history of the scene and the timeline.
    EditHistory& history() { return *history_; }

    // The document: the sequence file the scene came from or was saved to (empty: "Untitled").
    QString documentPath() const { return documentPath_; }
    // "mywalk" for ".../mywalk.lmt", else "Untitled".
    QString documentName() const;
    // Makes `path` the document with nothing unsaved; the title follows.
    void setDocument(const QString& path);
    // Reads `path` as one undoable step and makes it the document (also a recent file); a missing
    // or refused file is reported and changes nothing.
    bool openDocument(const QString& path);
    // Loads stored sequence `index` as the document, asking about unsaved changes first.
    bool openStoredSequence(int index);
    // Save (to the document's file; asks for a name when there is none) or Save As.
    bool saveDocument(bool askForName);
    // "Save changes to NAME?" when there are unsaved edits: false when the user cancelled (or a
    // save that was asked for did not happen).
    bool maybeSaveChanges();
    // Recent file `n` (0 newest) from the File menu; a missing one is dropped from the list.
    void openRecentFile(int n);
    QList<QAction*> recentFileActions() const { return recentActions_; }

    // While recording: no menu, toolbar, caption or sizing border; the window stays in place.
    // Giving them back shows the toolbar again.
    void setStripped(bool stripped) override;
    bool isStripped() const { return stripped_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createDocumentActions();
    void updateTitle();
    void updateRecentFiles();
    void sceneInitialised();
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
    EditHistory* history_ = nullptr;
    QString documentPath_;
    QList<QAction*> recentActions_;
    bool ownImages_ = false;
    bool stripped_ = false;
};

// The main window with its view, ready to be shown.
std::unique_ptr<CMainFrame> createMainWindow();
