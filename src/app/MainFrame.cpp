// The main window: menu, toolbar, status bar and the view in the middle.
#include "app/MainFrame.h"

#include "app/EditHistory.h"
#include "app/LockKeyIndicators.h"
#include "app/MenuCommands.h"
#include "app/ToolbarImages.h"
#include "app/ZoetraGLWidget.h"
#include "deck/CMySheet.h"
#include "scene/CZoetraView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    glView_ = new ZoetraGLWidget(this);
    history_ = new EditHistory(*this);
    updateTitle();
    // The settings may make the window as small as a banner format needs.
    glView_->setMinimumSize(1, 1);
    setCentralWidget(glView_);
    createActions();
    createDocumentActions();
    createMenus();
    createToolBar();
    createStatusBar();
    resize(800, 600);
}

CMainFrame::~CMainFrame() {
    // The history watches the deck and the view: it goes first; the deck writes into the view.
    delete history_;
    history_ = nullptr;
    delete deck_.data();
}

CMySheet* CMainFrame::controlDeck() const {
    return deck_.data();
}

void CMainFrame::openControlDeck() {
    CZoetraView& v = scene();
    if (v.deckOpen && deck_) {
        deck_->bringForward();
        return;
    }
    DeckServices services;
    services.inViewContext = [this](const std::function<void()>& work) { withViewContext(work); };
    services.exportVideo = [this] { action(Command::ExportVideo)->trigger(); };
    services.openStoredSequence = [this](int index) { return openStoredSequence(index); };
    services.dialogParent = this;
    // An earlier sheet on its way out (closed, or a "New") lets go first.
    if (deck_) {
        deck_->disconnect(this);
        delete deck_.data();
    }
    deck_ = new CMySheet(v, services);
    connect(deck_, &CMySheet::closed, this, [this] { deck_ = nullptr; });
    deck_->show();
}

CZoetraView& CMainFrame::scene() {
    return glView_->scene();
}
ZoetraGLWidget* CMainFrame::viewWidget() const {
    return glView_;
}
bool CMainFrame::sceneReady() const {
    return glView_->sceneReady();
}
void CMainFrame::withViewContext(const std::function<void()>& work) {
    glView_->withContext(work);
}

QAction* CMainFrame::makeAction(Command command, const QString& text, const QString& tip,
                                void (*handler)(CMainFrame&)) {
    auto* a = new QAction(text, this);
    a->setStatusTip(tip);
    if (handler) connect(a, &QAction::triggered, this, [this, handler] { handler(*this); });
    actions_[size_t(command)] = a;
    return a;
}

void CMainFrame::createActions() {
    makeAction(Command::New, tr("&New"), tr("Create a new project"), onFileNew)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    makeAction(Command::OpenSequence, tr("&Open Sequence."), tr("Open a sequence file"),
               onOpenSequence)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    makeAction(Command::SaveSequence, tr("&Save Sequence"), tr("Save the sequence to a file"),
               onSaveSequence)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    makeAction(Command::SaveBitmap, tr("Save Bitmap"), tr("Save the current frame as a bitmap"),
               onSaveBitmap);
    makeAction(Command::CopyToClipboard, tr("Copy to Clipboard"),
               tr("Copy the current frame to the clipboard"), onCopyToClipboard);
    makeAction(Command::Exit, tr("E&xit"), tr("Quit the application"), nullptr);
    connect(action(Command::Exit), &QAction::triggered, this, &QWidget::close);

    QAction* toolbar =
        makeAction(Command::ToggleToolbar, tr("&Toolbar"), tr("Show or hide the toolbar"), nullptr);
    QAction* status = makeAction(Command::ToggleStatusBar, tr("&Status Bar"),
                                 tr("Show or hide the status bar"), nullptr);
    toolbar->setCheckable(true);
    status->setCheckable(true);

    makeAction(Command::Settings, tr("Settings"), tr("Video export and start-up settings"),
               onSettings);
    makeAction(Command::ExportVideo, tr("Export Video"), tr("Export the timeline to a video file"),
               onExportVideo);
    makeAction(Command::ControlDeck, tr("Control Deck"), tr("Open the Control Deck"),
               onControlDeck);
    makeAction(Command::About, tr("&About Lumatoy..."),
               tr("Display program information and version"), onAbout);
    makeAction(Command::OnlineHelp, tr("Online Help"), tr("Open the online help"), onOnlineHelp);
    makeAction(Command::SequencePacks, tr("Sequence Packs"), tr("Browse sequence packs"),
               onSequencePacks);
    makeAction(Command::CheckForUpdates, tr("Check for Updates"), tr("Check for a newer version"),
               onCheckForUpdates);
}

void CMainFrame::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    // Both separators stay visible, one above the other.
    file->setSeparatorsCollapsible(false);
    file->addAction(action(Command::New));
    file->addAction(action(Command::OpenSequence));
    file->addAction(action(Command::SaveSequence));
    file->addAction(action(Command::SaveSequenceAs));
    // The recent files stand between the two separators.
    file->addSeparator();
    file->addActions(recentActions_);
    file->addSeparator();
    file->setToolTipsVisible(true);
    file->addAction(action(Command::SaveBitmap));
    file->addAction(action(Command::CopyToClipboard));
    file->addAction(action(Command::Exit));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(action(Command::Undo));
    edit->addAction(action(Command::Redo));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(action(Command::ToggleToolbar));
    view->addAction(action(Command::ToggleStatusBar));

    menuBar()->addMenu(tr("Options"))->addAction(action(Command::Settings));
    menuBar()->addMenu(tr("Export Video"))->addAction(action(Command::ExportVideo));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(action(Command::About));
    help->addAction(action(Command::OnlineHelp));
    help->addAction(action(Command::SequencePacks));
    help->addAction(action(Command::CheckForUpdates));
}

void CMainFrame::createToolBar() {
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    addToolBar(Qt::TopToolBarArea, toolBar_);

    const std::array<Command, 5> buttons{Command::New, Command::OpenSequence, Command::SaveSequence,
                                         Command::ControlDeck, Command::About};
    const ToolbarIcons icons = loadToolbarIcons(int(buttons.size()));
    ownImages_ = icons.loaded;
    if (ownImages_) {
        toolBar_->setIconSize(icons.size);
        for (size_t i = 0; i < buttons.size(); ++i)
            action(buttons[i])->setIcon(icons.icons[i]);
    } else {
        const std::array<QStyle::StandardPixmap, 5> standIns{
            QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton,
            QStyle::SP_FileDialogDetailedView, QStyle::SP_MessageBoxInformation};
        for (size_t i = 0; i < buttons.size(); ++i)
            action(buttons[i])->setIcon(style()->standardIcon(standIns[i]));
    }
    // Menu items show no pictures; the toolbar does.
    for (QAction* a : actions_)
        a->setIconVisibleInMenu(false);

    toolBar_->addAction(action(Command::New));
    toolBar_->addAction(action(Command::OpenSequence));
    toolBar_->addAction(action(Command::SaveSequence));
    toolBar_->addSeparator();
    toolBar_->addAction(action(Command::ControlDeck));
    toolBar_->addAction(action(Command::About));

    QAction* toggle = action(Command::ToggleToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->addWidget(new QLabel(tr("Ready")), 1);
    indicators_ = new LockKeyIndicators(bar);

    QAction* toggle = action(Command::ToggleStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::setStripped(bool stripped) {
    if (stripped == stripped_) return;
    stripped_ = stripped;
    const QPoint place = pos();
    const bool visible = isVisible();
    menuBar()->setVisible(!stripped);
    toolBar_->setVisible(!stripped);
    // Changing the frame makes a new native window: put it back where it was and show it.
    setWindowFlag(Qt::FramelessWindowHint, stripped);
    move(place);
    if (visible) show();
}

std::unique_ptr<CMainFrame> createMainWindow() {
    return std::make_unique<CMainFrame>();
}
