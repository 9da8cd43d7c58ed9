// Answers the modal dialogs a command opens, for GUI tests that run the real Qt platform: while
// it lives, each modal dialog that shows is handed to `look` once (which may click in it), and
// then closed if it is still open.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class ModalAnswerer : public QObject {
  public:
    explicit ModalAnswerer(std::function<void(QWidget*)> look) : look_(std::move(look)) {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start(20);
    }

    int dialogsSeen() const { return seen_; }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == current_ || !modal->isVisible()) return;
        current_ = modal;
        ++seen_;
        QPointer<QWidget> watch(modal);
        if (look_) look_(modal);
        if (watch && watch->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(watch.data()))
                dialog->reject();
            else
                watch->close();
        }
    }

    std::function<void(QWidget*)> look_;
    QTimer timer_;
    QPointer<QWidget> current_;
    int seen_ = 0;
};
