// The view widget: context set-up, continuous redraw, resize and paint.
#include "app/ZoetraGLWidget.h"

#include "assets/Loader3ds.h"
#include "controls/MouseControl.h"
#include "effects/models/ModelControls.h"
#include "export/ExportRun.h"
#include "export/ExportSettings.h"
#include "platform/WebFetch.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QtGlobal>
#include <algorithm>

QSurfaceFormat ZoetraGLWidget::requestedFormat(int samples) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSamples(samples);
    return format;
}

ZoetraGLWidget::ZoetraGLWidget(QWidget* parent) : QOpenGLWidget(parent), view_(makeScene()) {
    // Four samples; the framebuffer falls back to what the driver has, and paintGL reads back
    // what it really got.
    setFormat(requestedFormat(4));
    setMouseTracking(false);
    // A frame the throttle skips must keep showing the last picture.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    // The idle loop: redraw whenever the event queue is empty.
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, &ZoetraGLWidget::idlePass);
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

void ZoetraGLWidget::idlePass() {
    // A model picker runs here, between two frames: its dialog runs an event loop of its own,
    // which must never happen inside a paint. The frame after it shows the new model.
    if (sceneReady_ && modelLoadRequested(*view_) && !Loader3ds::importRunning() &&
        !webFetchRunning()) {
        makeCurrent();
        serveModelLoadRequests(*view_, [this] { makeCurrent(); });
        doneCurrent();
    }
    update();
}

void ZoetraGLWidget::initializeGL() {
    GLint sampleBuffers = 0, samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    glGetIntegerv(GL_SAMPLES, &samples);
    view_->multisampleAvailable = format().samples() > 0 || (sampleBuffers > 0 && samples > 1);
    const qreal ratio = devicePixelRatioF();
    view_->viewportWidth = int(width() * ratio);
    view_->viewportHeight = int(height() * ratio);
    initialiseScene(*view_);
    applyStartSettings(*view_);
    setPerspective(view_->viewportWidth, view_->viewportHeight);
    sceneReady_ = true;
    emit sceneInitialised();
    idle_.start();
}

void ZoetraGLWidget::resizeGL(int, int) {
    // An export owns the viewport while it records; the window's size is taken up afterwards.
    if (!exportRunning(*view_)) applyClientSize();
}

void ZoetraGLWidget::applyClientSize() {
    const qreal ratio = devicePixelRatioF();
    view_->viewportWidth = int(width() * ratio);
    view_->viewportHeight = int(height() * ratio);
    setPerspective(view_->viewportWidth, view_->viewportHeight);
}

void ZoetraGLWidget::showRecordedFrame(const std::uint8_t* bgrBottomUp, int width, int height) {
    recordedFrame_.assign(bgrBottomUp, bgrBottomUp + std::size_t(width) * height * 3);
    recordedWidth_ = width;
    recordedHeight_ = height;
    update();
}

void ZoetraGLWidget::forgetFrameShown() {
    recordedFrame_ = {};
    recordedWidth_ = recordedHeight_ = 0;
}

void ZoetraGLWidget::drawRecordedFrame() {
    if (recordedFrame_.empty()) return;
    const qreal ratio = devicePixelRatioF();
    const int width = int(this->width() * ratio), height = int(this->height() * ratio);
    const float scale =
        std::min(float(width) / float(recordedWidth_), float(height) / float(recordedHeight_));
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    // Plain pixels: nothing of the scene's state may colour them.
    for (GLenum cap : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_FOG, GL_BLEND, GL_LIGHTING, GL_ALPHA_TEST,
                       GL_STENCIL_TEST, GL_SCISSOR_TEST})
        glDisable(cap);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glWindowPos2i(int((width - recordedWidth_ * scale) / 2),
                  int((height - recordedHeight_ * scale) / 2));
    glPixelZoom(scale, scale);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(recordedWidth_, recordedHeight_, GL_BGR, GL_UNSIGNED_BYTE, recordedFrame_.data());
    glPopClientAttrib();
    glPopAttrib();
}

void ZoetraGLWidget::paintGL() {
    // Nothing is drawn while a model loads or a picture is fetched: their waits let paints
    // through, and the scene may be halfway through a change.
    if (!sceneReady_ || Loader3ds::importRunning() || webFetchRunning()) return;
    // While an export records, the frames belong to the file: the window shows them as they go.
    if (exportRunning(*view_)) {
        drawRecordedFrame();
        return;
    }
    // Qt draws the widget through its own framebuffer; a skipped frame keeps the last picture.
    if (!frameDue(*view_)) return;
    composeFrame(*view_);
    collectGlErrors();
    ++framesDrawn_;
}

void ZoetraGLWidget::collectGlErrors() {
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        ++glErrorsSeen_;
        if (std::find(glErrorKindsNamed_.begin(), glErrorKindsNamed_.end(), error) !=
            glErrorKindsNamed_.end())
            continue;
        glErrorKindsNamed_.push_back(error);
        qWarning("lumatoy: OpenGL error 0x%04x while drawing frame %d", error, framesDrawn_);
    }
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
