// The desktop services for the window, implemented with Qt widgets.
#include "app/QtPlatform.h"

#include "app/SplashWindow.h"
#include "export/ui/CompressionDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace {
QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The part of the screen a window may cover (without panels and docks).
QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Gives `window` the outer size `outer` (its frame included), at most the screen's available
// area, without moving it unless it would then reach past that area; returns the frame it
// allowed for.
QSize fitOuterSize(QWidget* window, QSize outer) {
    const QRect area = availableArea(window);
    if (area.isValid()) outer = outer.boundedTo(area.size());
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(std::max(1, outer.width() - frame.width()),
                   std::max(1, outer.height() - frame.height()));
    if (area.isValid()) {
        const QRect placed(window->frameGeometry().topLeft(), outer);
        QPoint inside = placed.topLeft();
        inside.setX(std::max(area.left(), std::min(inside.x(), area.right() + 1 - outer.width())));
        inside.setY(std::max(area.top(), std::min(inside.y(), area.bottom() + 1 - outer.height())));
        if (inside != placed.topLeft()) window->move(inside);
    }
    return frame;
}

QString captionOrDefault(const QString& caption) {
    return caption.isEmpty() ? QtPlatform::defaultCaption() : caption;
}

// A showing, always-on-top tool window of the program (the Control Deck), or null.
QWidget* onTopToolWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::Tool &&
            w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return w;
    return nullptr;
}

// Runs a dialog made on the heap and deletes it afterwards, unless its owner took it along.
int execAndDelete(QDialog* dialog) {
    const QPointer<QDialog> alive(dialog);
    const int result = dialog->exec();
    delete alive.data();
    return result;
}
} // namespace

QWidget* dialogOwner(QWidget* fallback) {
    QWidget* onTop = onTopToolWindow();
    return onTop ? onTop : fallback;
}

void keepAboveOnTopWindows(QWidget* window) {
    QWidget* onTop = onTopToolWindow();
    if (!onTop || onTop == window) return;
    window->winId(); // the native window, so that it can be given a transient parent
    if (window->windowHandle() && onTop->windowHandle())
        window->windowHandle()->setTransientParent(onTop->windowHandle());
}

QtPlatform::QtPlatform(QWidget* mainWindow) : mainWindow_(mainWindow) {}

QWidget* QtPlatform::dialogParent() const {
    return dialogOwner(mainWindow_);
}

QtPlatform::~QtPlatform() {
    delete progress_.data();
    while (busyDepth_ > 0)
        setBusy(false);
}

QString QtPlatform::defaultCaption() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Lumatoy") : name;
}

// Dialogs belong to the deck while it is up (see dialogOwner). They live on the heap: should their
// owner go while they run, it takes them along.
bool QtPlatform::askYesNo(const QString& text, const QString& caption) {
    auto* box = new QMessageBox(QMessageBox::Question, captionOrDefault(caption), text,
                                QMessageBox::Yes | QMessageBox::No, dialogParent());
    box->setDefaultButton(QMessageBox::Yes);
    return execAndDelete(box) == QMessageBox::Yes;
}

SaveChoice QtPlatform::askSaveChanges(const QString& documentName) {
    auto* box = new QMessageBox(QMessageBox::Warning, defaultCaption(),
                                QStringLiteral("Save changes to %1?").arg(documentName),
                                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                dialogParent());
    box->setDefaultButton(QMessageBox::Save);
    switch (execAndDelete(box)) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

void QtPlatform::inform(const QString& text, const QString& caption, MessageIcon icon) {
    execAndDelete(new QMessageBox(boxIcon(icon), captionOrDefault(caption), text, QMessageBox::Ok,
                                  dialogParent()));
}

namespace {
QString runFileDialog(QFileDialog* dialog) {
    const QPointer<QFileDialog> alive(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString chosen;
    if (alive && accepted && !alive->selectedFiles().isEmpty())
        chosen = alive->selectedFiles().constFirst();
    delete alive.data();
    return chosen;
}
} // namespace

QString QtPlatform::chooseOpenFile(const FileChoice& choice) {
    auto* dialog = new QFileDialog(dialogParent(), choice.title, choice.initialPath, choice.filter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

QString QtPlatform::chooseSaveFile(const FileChoice& choice) {
    auto* dialog = new QFileDialog(dialogParent(), choice.title, choice.initialPath, choice.filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(choice.defaultExtension);
    return runFileDialog(dialog);
}

std::optional<QColor> QtPlatform::chooseColour(const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, dialogParent());
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

std::optional<FontChoice> QtPlatform::chooseFont(const FontChoice& initial) {
    QFont start(initial.face);
    start.setWeight(QFont::Weight(initial.weight));
    start.setItalic(initial.italic);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, start, dialogParent());
    if (!ok) return std::nullopt;
    FontChoice chosen = initial; // the colour is not part of Qt's font dialog: it stays
    chosen.face = font.family();
    chosen.weight = int(font.weight());
    chosen.italic = font.italic();
    return chosen;
}

void QtPlatform::showSplash(const QString& text, const SplashLook& look) {
    if (!splash_) splash_ = std::make_unique<SplashWindow>();
    splash_->show(text, look);
    // The caller usually blocks the thread next: let the splash paint first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::setSplashText(const QString& text) {
    if (!splash_) return;
    splash_->setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::hideSplash() {
    if (splash_) splash_->hide();
}

void QtPlatform::openUrl(const QString& address) {
    // Web addresses go to the browser, local files to their default program.
    const bool local = QFileInfo::exists(address);
    if (QDesktopServices::openUrl(local ? QUrl::fromLocalFile(address) : QUrl(address))) return;
    // Without a browser or player the click would otherwise seem to do nothing.
    const QString text =
        local ? QStringLiteral("The file %1 could not be opened: no program to open it (such as "
                               "a video player) is set up on this computer.")
              : QStringLiteral("The web page %1 could not be opened: no web browser is set up on "
                               "this computer.");
    inform(text.arg(QDir::toNativeSeparators(address)), QString(), MessageIcon::Warning);
}

void QtPlatform::copyImageToClipboard(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

void QtPlatform::wait(int ms) {
    if (ms <= 0) return;
    // Windows keep painting, but no click or key reaches the program meanwhile.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

std::optional<VideoCompression>
QtPlatform::chooseVideoCompression(const QList<VideoCodecChoice>& codecs,
                                   const VideoCompression& initial) {
    return runCompressionDialog(dialogParent(), codecs, initial);
}

void QtPlatform::showProgress(const QString& text, int total) {
    delete progress_.data();
    progress_ = new QProgressDialog(text, QObject::tr("Cancel"), 0, total, dialogParent());
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
}

bool QtPlatform::setProgress(int done) {
    if (!progress_) return true;
    // setValue keeps a window-modal progress dialog responsive: Cancel can be pressed.
    progress_->setValue(done);
    return !progress_->wasCanceled();
}

void QtPlatform::setProgressText(const QString& text) {
    if (progress_) progress_->setLabelText(text);
}

void QtPlatform::hideProgress() {
    delete progress_.data();
}

void QtPlatform::resizeMainWindow(int outerWidth, int outerHeight) {
    if (!mainWindow_) return;
    // A format larger than the screen (HD on a small one) gets the screen's available area; the
    // export still records at the format's own size, offscreen.
    QSize outer(outerWidth, outerHeight);
    const QRect area = availableArea(mainWindow_);
    if (area.isValid()) outer = outer.boundedTo(area.size());
    const int request = ++resizeRequests_;
    const QSize frame = fitOuterSize(mainWindow_, outer);
    // A window manager that has only just framed the window may report its frame a little later:
    // then the size is corrected once, unless another size has been asked for meanwhile.
    if (frame.isNull() && mainWindow_->isVisible()) {
        QTimer::singleShot(300, &timers_, [this, window = mainWindow_, outer, request] {
            if (!window || request != resizeRequests_) return;
            const bool framed = window->frameGeometry().size() != window->geometry().size();
            if (framed && window->frameGeometry().size() != outer) fitOuterSize(window, outer);
        });
    }
}

void QtPlatform::setMainWindowStripped(bool stripped) {
    if (auto* window = dynamic_cast<Strippable*>(mainWindow_.data())) window->setStripped(stripped);
}
