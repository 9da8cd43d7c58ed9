// A headless GL context and an offscreen frame for render tests.
#pragma once

#include "render/HeadlessContext.h"
#include "render/OffscreenTarget.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>

class GlTest : public ::testing::Test {
  protected:
    GlTest() = default;
    // A fixture that wants another frame size passes it here, and the samples per pixel when
    // the target's multisampled default does not suit it (0: single-sampled).
    GlTest(int width, int height, std::optional<int> samples = std::nullopt)
        : width_(width), height_(height), samples_(samples) {}

    void SetUp() override {
        QString error;
        context_ = HeadlessContext::create(&error);
        ASSERT_TRUE(context_) << error.toStdString();
        const bool created = samples_ ? target_.create(width_, height_, &error, *samples_)
                                      : target_.create(width_, height_, &error);
        ASSERT_TRUE(created) << error.toStdString();
    }
    void TearDown() override { target_.release(); }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    std::unique_ptr<HeadlessContext> context_;
    OffscreenTarget target_;

  private:
    int width_ = kWidth, height_ = kHeight;
    std::optional<int> samples_;
};
