// Dialogs opened while the Control Deck is up appear above it and take the pointer and the
// keyboard: Options > Settings, the About box, questions from the menu and from the deck, and a
// warning. (The pages' own choosers hide the deck while they are open.) The deck stays on top of
// the main window. Runs under a real window manager on a display of its own
// (run-with-window-manager.sh), where stacking is the window manager's doing and a click goes to
// whatever window is on top.
#include "support/gui/DeckFixture.h"
#include "support/gui/ModalAnswerer.h"

#include "app/AboutBox.h"
#include "app/QtPlatform.h"
#include "support/LocalHttpServer.h"

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <optional>

// Xlib's headers define macros (None, Bool, ...) that clash with Qt's names: they come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

Display* xDisplay() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The root window's list of managed windows, bottom first, as the window manager keeps it.
std::vector<unsigned long> stackingOrder() {
    Display* d = xDisplay();
    std::vector<unsigned long> order;
    if (!d) return order;
    const Atom list = XInternAtom(d, "_NET_CLIENT_LIST_STACKING", True);
    if (list == 0) return order;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), list, 0, 4096, False, XA_WINDOW, &type, &format,
                           &count, &rest, &data) == Success &&
        data && format == 32) {
        const auto* windows = reinterpret_cast<const unsigned long*>(data);
        order.assign(windows, windows + count);
    }
    if (data) XFree(data);
    return order;
}

bool windowManagerRunning() {
    Display* d = xDisplay();
    if (!d) return false;
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW,
                                          &type, &format, &count, &rest, &data) == Success &&
                       count == 1;
    if (data) XFree(data);
    return found;
}

// Whether the window manager stacks `upper` above `lower`.
bool stackedAbove(const QWidget* upper, const QWidget* lower) {
    const std::vector<unsigned long> order = stackingOrder();
    const auto find = [&](const QWidget* w) {
        return std::find(order.begin(), order.end(), static_cast<unsigned long>(w->winId()));
    };
    const auto u = find(upper), l = find(lower);
    return u != order.end() && l != order.end() && u > l;
}

// A real pointer click at a point of the screen: it goes to the window on top there.
void clickOnScreen(QPoint global) {
    Display* d = xDisplay();
    XTestFakeMotionEvent(d, -1, global.x(), global.y(), CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
}

// Counts the mouse presses that reach any widget of one window.
struct PressCounter : QObject {
    explicit PressCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~PressCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == window_) ++presses;
        }
        return false;
    }
    int presses = 0;

  private:
    QWidget* window_;
};

class DeckDialogsUnderWindowManager : public DeckFixture {
  protected:
    void SetUp() override {
        // The window's own desktop services: real dialogs, not answers from a script.
        DeckFixture::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(waitUntil([] { return windowManagerRunning(); }, 10000))
            << "no window manager: run this test through tests/gui/run-with-window-manager.sh";
        qt.setMainWindow(frame.get());
        useQt.emplace(qt);
        sheet = openDeck();
        ASSERT_NE(sheet, nullptr);
        // The deck over the middle of the main window, where dialogs come up.
        const QRect main = frame->frameGeometry();
        sheet->move(main.center() - QPoint(sheet->width() / 2, sheet->height() / 2));
        ASSERT_TRUE(waitUntil([&] { return stackedAbove(sheet, frame.get()); }, 5000));
        QTest::qWait(200);
    }
    void TearDown() override {
        useQt.reset();
        DeckFixture::TearDown();
    }

    // `dialog` is shown above the deck, is the active window, and a real click on `target`
    // reaches it.
    void expectAboveTheDeckTakingInput(QWidget* dialog, QWidget* target, const char* what) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        EXPECT_TRUE(waitUntil([&] { return stackedAbove(dialog, sheet); }, 5000))
            << "the dialog is under the Control Deck";
        EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == dialog; }, 5000))
            << "the dialog has no keyboard focus";
        PressCounter counter(dialog);
        clickOnScreen(target->mapToGlobal(target->rect().center()));
        EXPECT_TRUE(waitUntil([&] { return counter.presses > 0; }, 3000))
            << "a click on the dialog did not reach it";
        ++checked;
    }

    // Runs `command` (which opens a modal dialog and waits for it), checks the dialog with
    // `target` picking where to click, and closes it.
    void checkModal(const std::function<void()>& command,
                    const std::function<QWidget*(QWidget*)>& target, const char* what) {
        ModalAnswerer answerer(
            [&](QWidget* dialog) { expectAboveTheDeckTakingInput(dialog, target(dialog), what); });
        command();
        EXPECT_EQ(answerer.dialogsSeen(), 1) << what;
        // The deck is still up and still above the main window.
        EXPECT_TRUE(sheet->isVisible()) << what;
        EXPECT_TRUE(waitUntil([&] { return stackedAbove(sheet, frame.get()); }, 3000)) << what;
    }

    // The text of a message box: clicking it answers nothing.
    static QWidget* messageText(QWidget* dialog) {
        auto* label = dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        return label ? static_cast<QWidget*>(label) : dialog;
    }

    QtPlatform qt;
    std::optional<PlatformOverride> useQt; // from SetUp to TearDown
    CMySheet* sheet = nullptr;
    int checked = 0;
};

} // namespace

TEST_F(DeckDialogsUnderWindowManager, SettingsAndAboutComeUpAboveTheDeck) {
    checkModal([&] { frame->action(Command::Settings)->trigger(); },
               [](QWidget* dialog) { return dialog; }, "Options > Settings");

    frame->action(Command::About)->trigger();
    AboutBox* about = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<AboutBox*>(w); box && box->isVisible()) about = box;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), nullptr); // modeless, and closing the deck leaves it be
    auto* version = about->findChildren<QLabel*>().value(1);
    ASSERT_NE(version, nullptr);
    expectAboveTheDeckTakingInput(about, version, "About");
    about->close();
    EXPECT_EQ(checked, 2);
}

TEST_F(DeckDialogsUnderWindowManager, QuestionsWarningsAndChoosersComeUpAboveTheDeck) {
    // "New" asks first; no answer is given here, so nothing is reset.
    checkModal([&] { frame->action(Command::New)->trigger(); }, messageText, "New question");
    EXPECT_TRUE(scene().deckOpen);

    // A warning: the update check finds no server.
    qputenv("LUMATOY_UPDATE_ADDRESS", QStringLiteral("http://127.0.0.1:%1/update.txt")
                                          .arg(LocalHttpServer::closedPort())
                                          .toLatin1());
    checkModal([&] { frame->action(Command::CheckForUpdates)->trigger(); }, messageText,
               "Check for Updates warning");
    qunsetenv("LUMATOY_UPDATE_ADDRESS");

    // A question from the deck itself: the keyframe page's "Clear All" (answered No).
    QPushButton* clearAll = sheet->keyframePage()->button("Clear All");
    ASSERT_NE(clearAll, nullptr);
    checkModal([&] { clearAll->click(); }, messageText, "Clear All question");
    EXPECT_EQ(checked, 3);
}
