// A headless GL context and an offscreen frame for render tests.
#pragma once

#include "render/HeadlessContext.h"
#include "render/OffscreenTarget.h"

#include <gtest/gtest.h>
#include <memory>

class GlTest : public ::testing::Test {
  protected:
    GlTest() = default;
    // A fixture that wants another frame size passes it here.
    GlTest(int width, int height) : width_(width), height_(height) {}

    void SetUp() override {
        QString error;
        context_ = HeadlessContext::create(&error);
        ASSERT_TRUE(context_) << error.toStdString();
        ASSERT_TRUE(target_.create(width_, height_, &error)) << error.toStdString();
    }
    void TearDown() override { target_.release(); }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    std::unique_ptr<HeadlessContext> context_;
    OffscreenTarget target_;

  private:
    int width_ = kWidth, height_ = kHeight;
};
