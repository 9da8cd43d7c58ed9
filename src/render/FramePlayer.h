// Plays a scene frame by frame on a virtual clock, stepping the frames before a wanted one
// without drawing them: frame n runs at n x the frame period, and a stepped frame moves the scene
// and GL on as a drawn one does, so any frame comes out the same whether the frames before it
// were drawn or stepped.
#pragma once

class CZoetraView;
class VirtualClock;

class FramePlayer {
  public:
    FramePlayer(CZoetraView& view, VirtualClock& clock, double framePeriodMs)
        : view_(view), clock_(clock), periodMs_(framePeriodMs) {}

    // Brings the scene up to `frame` and draws it into the framebuffer `bindTarget` binds (called
    // before each frame). The frames before it that are still to come are stepped (see FramePass):
    // `frame` comes out as it does when every frame before it is drawn. A frame at or before the
    // last one played draws nothing.
    template <typename Bind> void drawUpTo(int frame, Bind bindTarget) {
        for (; next_ <= frame; ++next_) {
            bindTarget();
            if (next_ < frame)
                stepOne();
            else
                drawOne();
        }
    }

    // The next frame the scene would play.
    int nextFrame() const { return next_; }
    int framesStepped() const { return stepped_; }
    int framesDrawn() const { return drawn_; }

  private:
    void stepOne();
    void drawOne();

    CZoetraView& view_;
    VirtualClock& clock_;
    double periodMs_;
    int next_ = 0;
    int stepped_ = 0, drawn_ = 0;
};
