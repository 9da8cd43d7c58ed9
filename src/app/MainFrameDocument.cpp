// The main window's document: its name in the title, unsaved changes, Save and Save As, the
// recent files and the Edit menu's Undo and Redo.
#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "app/RecentFiles.h"
#include "app/ZoetraGLWidget.h"
#include "export/SoundtrackChoice.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "timeline/SequenceLibrary.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

namespace {
QString baseNameOf(const QString& path) {
    return QFileInfo(path).completeBaseName();
}
} // namespace

void CMainFrame::createDocumentActions() {
    makeAction(Command::SaveSequenceAs, tr("Save Sequence &As..."),
               tr("Save the sequence to a new file"),
               [](CMainFrame& frame) { frame.saveDocument(true); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    QAction* undo = makeAction(Command::Undo, tr("Undo"), tr("Undo the last edit"),
                               [](CMainFrame& frame) { frame.history().undo(); });
    QAction* redo = makeAction(Command::Redo, tr("Redo"), tr("Redo the edit undone last"),
                               [](CMainFrame& frame) { frame.history().redo(); });
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // They work while the Control Deck has the focus too.
    undo->setShortcutContext(Qt::ApplicationShortcut);
    redo->setShortcutContext(Qt::ApplicationShortcut);
    QUndoStack& stack = history_->stack();
    auto follow = [this, undo, redo, &stack] {
        undo->setEnabled(stack.canUndo());
        redo->setEnabled(stack.canRedo());
        undo->setText(stack.canUndo() ? tr("Undo %1").arg(stack.undoText()) : tr("Undo"));
        redo->setText(stack.canRedo() ? tr("Redo %1").arg(stack.redoText()) : tr("Redo"));
    };
    connect(&stack, &QUndoStack::indexChanged, this, follow);
    connect(&stack, &QUndoStack::cleanChanged, this, follow);
    follow();
    connect(&stack, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });

    for (int n = 0; n < recentFiles::kCount; ++n) {
        auto* recent = new QAction(this);
        connect(recent, &QAction::triggered, this, [this, n] { openRecentFile(n); });
        recentActions_ << recent;
    }
    updateRecentFiles();

    connect(glView_, &ZoetraGLWidget::sceneInitialised, this, [this] { sceneInitialised(); });
}

void CMainFrame::sceneInitialised() {
    // The sequence shown at start is the document: the file named on the command line, or the
    // stored sequence picked at random.
    CZoetraView& v = scene();
    QString path;
    if (v.sequenceLoaded && !v.startFilePath.isEmpty()) {
        path = v.startFilePath;
        recentFiles::add(path);
        updateRecentFiles();
    } else if (v.sequenceLoaded && v.currentPreset > 0 && v.currentPreset < v.sequenceCount) {
        path = v.sequencePaths[v.currentPreset];
    }
    history_->clear();
    setDocument(path);
}

QString CMainFrame::documentName() const {
    return documentPath_.isEmpty() ? tr("Untitled") : baseNameOf(documentPath_);
}

void CMainFrame::setDocument(const QString& path) {
    documentPath_ = path;
    history_->stack().setClean();
    updateTitle();
}

void CMainFrame::updateTitle() {
    setWindowTitle(tr("%1[*] - Lumatoy").arg(documentName()));
    setWindowModified(!history_->stack().isClean());
}

bool CMainFrame::maybeSaveChanges() {
    history_->commitStep();
    if (history_->stack().isClean()) return true;
    switch (platform().askSaveChanges(documentName())) {
    case SaveChoice::Save:
        return saveDocument(false);
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool CMainFrame::openDocument(const QString& path) {
    bool loaded = false;
    history_->runAsStep(tr("Open %1").arg(baseNameOf(path)), [&] {
        withViewContext([&] { loaded = readSequence(scene(), path); });
        return loaded;
    });
    if (!loaded) return false;
    setDocument(path);
    recentFiles::add(path);
    updateRecentFiles();
    return true;
}

bool CMainFrame::openStoredSequence(int index) {
    CZoetraView& v = scene();
    if (index < 1 || index >= v.sequenceCount) return false;
    if (!maybeSaveChanges()) return false;
    const QString path = v.sequencePaths[index];
    bool loaded = false;
    history_->runAsStep(tr("Load %1").arg(baseNameOf(path)), [&] {
        withViewContext([&] { loaded = loadStoredSequence(v, index); });
        return loaded;
    });
    if (loaded) setDocument(path);
    return loaded;
}

bool CMainFrame::saveDocument(bool askForName) {
    history_->commitStep();
    QString path = askForName ? QString() : documentPath_;
    if (path.isEmpty()) path = chooseSequenceToSave();
    const QString before = scene().sequenceFilePath;
    if (path.isEmpty() || !writeSequence(scene(), path)) return false;
    // The file's format has no room for the soundtrack: the profile keeps it for the new path.
    if (scene().sequenceFilePath != before)
        rememberSoundtrack(scene().sequenceFilePath, scene().soundtrackPath);
    setDocument(path);
    recentFiles::add(path);
    updateRecentFiles();
    return true;
}

void CMainFrame::openRecentFile(int n) {
    const QStringList files = recentFiles::list();
    if (n < 0 || n >= files.size()) return;
    const QString path = files[n];
    if (!QFileInfo::exists(path)) {
        recentFiles::remove(path);
        updateRecentFiles();
        platform().inform(
            tr("The file \"%1\" no longer exists. It has been removed from the recent files.")
                .arg(QDir::toNativeSeparators(path)),
            QString(), MessageIcon::Warning);
        return;
    }
    if (!maybeSaveChanges()) return;
    openDocument(path);
}

void CMainFrame::updateRecentFiles() {
    const QStringList files = recentFiles::list();
    for (int n = 0; n < recentActions_.size(); ++n) {
        QAction* recent = recentActions_[n];
        const bool used = n < files.size();
        recent->setVisible(used);
        if (!used) continue;
        recent->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(QFileInfo(files[n]).fileName()));
        recent->setToolTip(QDir::toNativeSeparators(files[n]));
        recent->setStatusTip(QDir::toNativeSeparators(files[n]));
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!maybeSaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
