// The widget in the middle of the main window that owns the scene, until the GL view takes its
// place: it holds the scene record and runs context work directly.
#pragma once

#include "scene/CZoetraView.h"

#include <QWidget>
#include <functional>
#include <memory>

class ViewHost : public QWidget {
    Q_OBJECT
  public:
    explicit ViewHost(QWidget* parent = nullptr)
        : QWidget(parent), view_(std::make_unique<CZoetraView>()) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::black);
        setPalette(p);
    }

    CZoetraView& view() { return *view_; }
    // There is no GL context here: the scene is never initialised for drawing.
    bool sceneReady() const { return false; }
    void withContext(const std::function<void()>& work) { work(); }

  private:
    std::unique_ptr<CZoetraView> view_;
};
