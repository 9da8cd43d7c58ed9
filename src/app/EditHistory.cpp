// The undo history of the main window.
#include "app/EditHistory.h"

#include "app/MainFrame.h"
#include "app/ZoetraGLWidget.h"
#include "deck/CMySheet.h"
#include "effects/EffectLoads.h"
#include "scene/CZoetraView.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>
#include <QUndoCommand>

// One step: the scene's differences before and after it.
class SceneEditStep : public QUndoCommand {
  public:
    SceneEditStep(EditHistory& history, const QString& name, SceneChange change, QWidget* typedInto)
        : QUndoCommand(name), history_(history), change_(std::move(change)), typedInto_(typedInto) {
    }

    // Keys typed one after another into the same box are one step.
    int id() const override { return typedInto_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const SceneEditStep*>(other);
        if (!typedInto_ || later->typedInto_ != typedInto_) return false;
        return change_.absorb(later->change_);
    }

    void undo() override { history_.restore(change_, false); }
    void redo() override {
        // The edit has been made already when the step is pushed.
        if (firstRedo_) {
            firstRedo_ = false;
            return;
        }
        history_.restore(change_, true);
    }

  private:
    EditHistory& history_;
    SceneChange change_;
    QPointer<QWidget> typedInto_;
    bool firstRedo_ = true;
};

namespace {
// A button's caption as a step name: "+ Add Key" → "Add Key", "Play >" → "Play".
QString captionName(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.startsWith(QLatin1String("+ "))) text = text.mid(2);
    if (text.endsWith(QLatin1String(" >"))) text.chop(2);
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text.trimmed();
}
} // namespace

EditHistory::EditHistory(CMainFrame& frame) : QObject(&frame), frame_(frame) {
    stack_.setUndoLimit(kStepLimit);
    qApp->installEventFilter(this);
}

EditHistory::~EditHistory() {
    qApp->removeEventFilter(this);
}

bool EditHistory::watches(QWidget* widget) const {
    if (!widget) return false;
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->property(kNotAnEditProperty).toBool()) return false;
        if (w->isWindow()) break;
    }
    if (widget == frame_.viewWidget()) return true;
    CMySheet* deck = frame_.controlDeck();
    return deck && widget->window() == deck;
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
    if (restoring_ || !watched->isWidgetType()) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watches(static_cast<QWidget*>(watched))) beginStep(static_cast<QWidget*>(watched));
        break;
    case QEvent::KeyPress:
        if (!stepOpen() && watches(static_cast<QWidget*>(watched))) {
            beginStep(static_cast<QWidget*>(watched));
            typed_ = qobject_cast<QLineEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched);
        }
        break;
    case QEvent::Wheel:
        if (watches(static_cast<QWidget*>(watched))) {
            beginStep(static_cast<QWidget*>(watched));
            scheduleCommit();
        }
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        if (stepOpen()) scheduleCommit();
        break;
    default:
        break;
    }
    return false;
}

void EditHistory::beginStep(QWidget* source) {
    if (stepOpen() || !frame_.sceneReady()) return;
    before_ = takeSnapshot(frame_.scene());
    source_ = source;
    typed_ = false;
}

void EditHistory::scheduleCommit() {
    if (commitScheduled_) return;
    commitScheduled_ = true;
    // After the event has been handled.
    QTimer::singleShot(0, this, [this] { commitWhenSettled(); });
}

void EditHistory::commitWhenSettled() {
    commitScheduled_ = false;
    // A dialog or a popup opened by the gesture (a file chooser, the combo's list) is part of
    // it: the step closes once it is gone and the buttons are up.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        QApplication::mouseButtons() != Qt::NoButton) {
        commitScheduled_ = true;
        QTimer::singleShot(50, this, [this] { commitWhenSettled(); });
        return;
    }
    commitStep();
}

QString EditHistory::nameFor(const SceneChange& change) const {
    QWidget* source = source_.data();
    if (auto* button = qobject_cast<QAbstractButton*>(source)) {
        const QString name = captionName(button->text());
        if (!name.isEmpty()) return name;
    }
    const QString keyable = change.keyableName();
    if (!keyable.isEmpty()) return keyable;
    if (auto* combo = qobject_cast<QComboBox*>(source)) return combo->currentText();
    if (auto* tabs = qobject_cast<QTabBar*>(source)) return tabs->tabText(tabs->currentIndex());
    return tr("Edit");
}

void EditHistory::commitStep(const QString& name) {
    if (!stepOpen()) return;
    SceneSnapshot before = std::move(*before_);
    before_.reset();
    SceneChange change = SceneChange::between(before, frame_.scene());
    if (change.isEmpty()) return;
    const QString stepName = name.isEmpty() ? nameFor(change) : name;
    QWidget* typedInto = typed_ ? source_.data() : nullptr;
    source_ = nullptr;
    typed_ = false;
    stack_.push(new SceneEditStep(*this, stepName, std::move(change), typedInto));
}

bool EditHistory::runAsStep(const QString& name, const std::function<bool()>& edit) {
    commitStep();
    before_ = takeSnapshot(frame_.scene());
    source_ = nullptr;
    typed_ = false;
    const bool done = edit();
    commitStep(name);
    return done;
}

void EditHistory::clear() {
    before_.reset();
    stack_.clear();
    stack_.setClean();
}

void EditHistory::undo() {
    commitStep();
    stack_.undo();
}

void EditHistory::redo() {
    commitStep();
    stack_.redo();
}

void EditHistory::restore(const SceneChange& change, bool after) {
    restoring_ = true;
    CZoetraView& v = frame_.scene();
    frame_.withViewContext([&] { change.restore(v, after, effectLoads()); });
    // The pages show the values again; the Frame slider its keys.
    for (int p = 0; p < kDeckPageCount; ++p) {
        const auto page = static_cast<DeckPage>(p);
        if (page == DeckPage::Keyframes) continue;
        if (v.pageExists(page)) v.deckUi().showValues(page);
    }
    if (change.touchesTimeline() && v.pageExists(DeckPage::Keyframes))
        v.deckUi().sequenceLoaded(v.keyFrames[v.keyCount]);
    frame_.viewWidget()->update();
    restoring_ = false;
}
