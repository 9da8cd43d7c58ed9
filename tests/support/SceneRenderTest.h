// A fixture that draws the program's frames headlessly: a scene started as the program starts it
// (without a random stored sequence), a frame of the given size on a virtual clock, and render()
// composing frames into it.
#pragma once

#include "export/ExportSettings.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GlTestContext.h"
#include "support/TempProfile.h"

#include <GL/gl.h>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

class SceneRenderTest : public GlTest {
  protected:
    SceneRenderTest(int width, int height, std::optional<int> samples = std::nullopt)
        : GlTest(width, height, samples), width_(width), height_(height) {}

    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        target_.bind();
        initialiseScene(*view);
        applyStartSettings(*view);
        view->viewportWidth = width_;
        view->viewportHeight = height_;
        setPerspective(width_, height_);
        resetRateGate();
    }

    // Composes `frames` frames and returns the last.
    QImage render(int frames = 1) {
        target_.bind();
        for (int i = 0; i < frames; ++i) {
            composeFrame(*view);
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        }
        return target_.readImage().convertToFormat(QImage::Format_RGB32);
    }

    // No stored sequence at start: the scene keeps its start-up look.
    TempProfile profile_{{"Random Sequence On Start Up", 0}};
    VirtualClock clock_;
    ClockOverride useClock_{clock_};
    std::unique_ptr<CZoetraView> view = makeScene();

  private:
    int width_, height_;
};
