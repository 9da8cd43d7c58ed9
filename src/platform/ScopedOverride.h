// The one way a process-wide service (the desktop platform, the effects' loads, the clock) is
// replaced: for the lifetime of an override object, the previous one coming back after it.
#pragma once

#include <utility>

// `Service` in force is the replacement of the newest live ScopedOverride<Service>, or else its
// default, which the service's own .cpp defines as ScopedOverride<Service>::fallback(). Overrides
// end in the reverse order of their start (they are scope-bound). Not thread-safe: set them up
// before the threads that read the service start.
template <typename Service> class ScopedOverride {
  public:
    explicit ScopedOverride(Service& replacement)
        : previous_(std::exchange(replacement_, &replacement)) {}
    ~ScopedOverride() { replacement_ = previous_; }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

    static Service& inForce() { return replacement_ ? *replacement_ : fallback(); }

  private:
    static Service& fallback();
    inline static Service* replacement_ = nullptr;
    Service* previous_;
};
