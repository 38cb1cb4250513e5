#pragma once
// An open file descriptor that closes itself.

#include <unistd.h>

#include <utility>

class TDescriptor {
 public:
  TDescriptor() = default;
  explicit TDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~TDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  TDescriptor(TDescriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  TDescriptor& operator=(TDescriptor&& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
    return *this;
  }

  int Get() const { return descriptor_; }
  bool Valid() const { return descriptor_ >= 0; }
  int Release() { return std::exchange(descriptor_, -1); }

 private:
  int descriptor_ = -1;
};
