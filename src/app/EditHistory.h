// The undo history of the main window: every edit of the scene and the timeline, made in the
// Control Deck, in the view with the mouse or by a command, becomes one named step of a
// QUndoStack. A press (mouse, key, wheel) in the deck or the view opens a step; once the
// gesture ends (release, with no dialog or popup left open) the scene is compared with its state
// at the press and the differences, if any, are pushed.
#pragma once

#include "timeline/SceneHistory.h"

#include <QObject>
#include <QPointer>
#include <QUndoStack>
#include <functional>
#include <optional>

class CMainFrame;
class QWidget;

// Widgets whose use is not an edit of the scene (Play, Stop, the Frame slider, Copy, the export
// buttons) carry this property set to true.
inline constexpr const char* kNotAnEditProperty = "lumatoyNotAnEdit";

class EditHistory : public QObject {
    Q_OBJECT
  public:
    // Steps kept; older ones are dropped.
    static constexpr int kStepLimit = 100;

    explicit EditHistory(CMainFrame& frame);
    ~EditHistory() override;

    QUndoStack& stack() { return stack_; }

    // Runs `edit` (a command of the main window) as one step named `name`: whatever it changes
    // is undone at once. Returns what `edit` returns.
    bool runAsStep(const QString& name, const std::function<bool()>& edit);

    // Opens a step before a gesture (no-op while one is open).
    void beginStep(QWidget* source = nullptr);
    // Closes the open step now, naming it `name` when given.
    void commitStep(const QString& name = QString());
    // Forgets the whole history (start-up): nothing to undo, nothing unsaved.
    void clear();
    bool stepOpen() const { return before_.has_value(); }

    // Undo and Redo close a step still open first.
    void undo();
    void redo();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class SceneEditStep;
    // Puts the scene before or after a step, in the view's GL context, and refreshes the deck.
    void restore(const SceneChange& change, bool after);
    bool watches(QWidget* widget) const;
    void scheduleCommit();
    void commitWhenSettled();
    QString nameFor(const SceneChange& change) const;

    CMainFrame& frame_;
    QUndoStack stack_;
    std::optional<SceneSnapshot> before_;
    QPointer<QWidget> source_;
    bool typed_ = false; // the open step began with a key pressed in a text box
    bool commitScheduled_ = false;
    bool restoring_ = false;
};
