// The status bar's CAP, NUM and SCRL indicators, read from the X keyboard's named indicators.
#include "app/LockKeyIndicators.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>

namespace {
constexpr std::array<const char*, 3> kTexts{"CAP", "NUM", "SCRL"};
// The lock states; all off where the window system has no X keyboard (Wayland, offscreen).
std::array<bool, 3> lockStates();
} // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* bar) : QObject(bar) {
    for (size_t i = 0; i < labels_.size(); ++i) {
        auto* label = new QLabel(QString::fromLatin1(kTexts[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Wide enough for the text in any state, so the bar does not jump.
        label->setMinimumWidth(label->sizeHint().width() + 8);
        bar->addPermanentWidget(label);
        labels_[i] = label;
    }
    if (qApp) qApp->installEventFilter(this);
    refresh();
}

void LockKeyIndicators::refresh() {
    const std::array<bool, 3> on = lockStates();
    // An indicator whose key is off is drawn greyed out.
    for (size_t i = 0; i < labels_.size(); ++i)
        labels_[i]->setEnabled(on[i]);
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
    case QEvent::WindowActivate:
        refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Xlib's headers define macros (KeyRelease, None, ...) that clash with Qt's names: they come last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {
constexpr std::array<const char*, 3> kIndicatorNames{"Caps Lock", "Num Lock", "Scroll Lock"};

std::array<bool, 3> lockStates() {
    std::array<bool, 3> on{};
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return on;
    for (size_t i = 0; i < on.size(); ++i) {
        const Atom name = XInternAtom(display, kIndicatorNames[i], True);
        Bool state = False;
        if (name != None && XkbGetNamedIndicator(display, name, nullptr, &state, nullptr, nullptr))
            on[i] = state;
    }
    return on;
}
} // namespace
