// An OpenGL compatibility context without any window system (EGL surfaceless), for the command
// line and the render tests.
#pragma once

#include <QString>
#include <memory>

class HeadlessContext {
  public:
    // Creates and makes current a compatibility-profile context; nullptr with `error` set when
    // the machine has no usable EGL/GL.
    static std::unique_ptr<HeadlessContext> create(QString* error);
    ~HeadlessContext();

    bool makeCurrent();
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

  private:
    HeadlessContext() = default;
    void* display_ = nullptr;
    void* context_ = nullptr;
};
