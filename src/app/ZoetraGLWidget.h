// The view: an OpenGL widget that owns the one scene and draws it continuously.
#pragma once

#include <QOpenGLWidget>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CZoetraView;

class ZoetraGLWidget : public QOpenGLWidget {
    Q_OBJECT
  public:
    explicit ZoetraGLWidget(QWidget* parent = nullptr);
    ~ZoetraGLWidget() override;

    CZoetraView& scene() { return *view_; }
    // True once the scene has been initialised with the GL context current.
    bool sceneReady() const { return sceneReady_; }
    // Frames composed so far (tests wait for new ones instead of guessing a time).
    int framesDrawn() const { return framesDrawn_; }
    // OpenGL errors raised while composing frames so far; each kind is also named once on the
    // console, with the frame it first came in.
    int glErrorsSeen() const { return glErrorsSeen_; }
    // Runs `work` with the view's context current (for commands that load textures or read
    // frames back between two paints).
    void withContext(const std::function<void()>& work);
    // The surface format the view asks for: compatibility profile, depth 24, stencil 8, and
    // `samples` samples.
    static QSurfaceFormat requestedFormat(int samples);
    // Gives the view's viewport fields and projection the widget's size (context current).
    void applyClientSize();
    // While an export records, the window shows the frames going into the file (BGR rows,
    // bottom row first), scaled to fit; forgetFrameShown drops the last one afterwards.
    void showRecordedFrame(const std::uint8_t* bgrBottomUp, int width, int height);
    void forgetFrameShown();

  signals:
    // The scene has been initialised (the first paint may follow).
    void sceneInitialised();

  protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // One pass of the idle loop: pending model pickers, then a repaint.
    void idlePass();
    void drawRecordedFrame();
    void collectGlErrors();

    std::unique_ptr<CZoetraView> view_;
    std::vector<std::uint8_t> recordedFrame_;
    int recordedWidth_ = 0, recordedHeight_ = 0;
    QTimer idle_;
    bool sceneReady_ = false;
    int framesDrawn_ = 0;
    int glErrorsSeen_ = 0;
    std::vector<unsigned> glErrorKindsNamed_;
};
