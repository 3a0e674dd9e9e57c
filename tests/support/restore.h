// A scoped guard that puts a global back as it was when the guard was made: module data that outlives
// a window (the message table, the qualifier counters) is left by a test as the test found it.
#pragma once

#include <utility>

namespace testing_support {

template <typename T>
class Restore {
  public:
    explicit Restore(T& value) : value_(value), saved_(value) {}
    ~Restore() { value_ = std::move(saved_); }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

  private:
    T& value_;
    T saved_;
};

}  // namespace testing_support
