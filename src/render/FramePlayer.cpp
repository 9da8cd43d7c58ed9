// Frames played on the virtual clock: stepped or drawn.
#include "render/FramePlayer.h"

#include "render/Clock.h"
#include "render/FrameComposer.h"

void FramePlayer::stepOne() {
    clock_.setNow(next_ * periodMs_);
    composeFrame(view_, FramePass::Step);
    ++stepped_;
}

void FramePlayer::drawOne() {
    clock_.setNow(next_ * periodMs_);
    composeFrame(view_, FramePass::Draw);
    ++drawn_;
}
