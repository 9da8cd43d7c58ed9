// The view widget: context set-up, continuous redraw, resize and paint.
#include "app/ZoetraGLWidget.h"

#include "deck/MouseControl.h"
#include "export/ExportRun.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "scene/SceneInit.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <QMouseEvent>
#include <QSurfaceFormat>

QSurfaceFormat ZoetraGLWidget::requestedFormat(int samples) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSamples(samples);
    return format;
}

ZoetraGLWidget::ZoetraGLWidget(QWidget* parent)
    : QOpenGLWidget(parent), view_(std::make_unique<CZoetraView>()) {
    // Four samples; the framebuffer falls back to what the driver has, and paintGL reads back
    // what it really got.
    setFormat(requestedFormat(4));
    setMouseTracking(false);
    // A frame the throttle skips must keep showing the last picture.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    // The idle loop: redraw whenever the event queue is empty.
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

ZoetraGLWidget::~ZoetraGLWidget() {
    idle_.stop();
    if (sceneReady_) {
        makeCurrent();
        resetTimeline(*view_);
        doneCurrent();
    }
}

void ZoetraGLWidget::withContext(const std::function<void()>& work) {
    makeCurrent();
    work();
    doneCurrent();
}

void ZoetraGLWidget::initializeGL() {
    GLint sampleBuffers = 0, samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    glGetIntegerv(GL_SAMPLES, &samples);
    multisampleAvailable = format().samples() > 0 || (sampleBuffers > 0 && samples > 1);
    const qreal ratio = devicePixelRatioF();
    view_->viewportWidth = int(width() * ratio);
    view_->viewportHeight = int(height() * ratio);
    initialiseScene(*view_);
    setPerspective(view_->viewportWidth, view_->viewportHeight);
    sceneReady_ = true;
    emit sceneInitialised();
    idle_.start();
}

void ZoetraGLWidget::resizeGL(int, int) {
    // An export owns the viewport while it records; the window's size is taken up afterwards.
    if (!exportRunning()) applyClientSize();
}

void ZoetraGLWidget::applyClientSize() {
    const qreal ratio = devicePixelRatioF();
    view_->viewportWidth = int(width() * ratio);
    view_->viewportHeight = int(height() * ratio);
    setPerspective(view_->viewportWidth, view_->viewportHeight);
}

void ZoetraGLWidget::paintGL() {
    // While an export records, the frames belong to the file: the window keeps its last picture.
    if (!sceneReady_ || exportRunning()) return;
    // Qt draws the widget through its own framebuffer; a skipped frame keeps the last picture.
    if (!frameDue(*view_)) return;
    composeFrame(*view_);
}

// Drags edit the scene between two frames; positions are in the widget's own pixels.
void ZoetraGLWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    mousePress(*view_, event->button(), at.x(), at.y());
    event->accept();
}
void ZoetraGLWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    mouseMove(*view_, at.x(), at.y(), event->modifiers());
    event->accept();
}
void ZoetraGLWidget::mouseReleaseEvent(QMouseEvent* event) {
    mouseRelease(*view_, event->button());
    event->accept();
}
