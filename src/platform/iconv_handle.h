#pragma once
// An iconv conversion descriptor, closed with its owner.

#include <iconv.h>

#include <optional>
#include <string>
#include <utility>

namespace dotforge {

class IconvHandle {
 public:
  // The conversion from the code page `from` into `to`, or nothing when iconv
  // does not know one of the names.
  static std::optional<IconvHandle> Open(const std::string& to, const std::string& from) {
    const iconv_t handle = iconv_open(to.c_str(), from.c_str());
    if (handle == Invalid()) return std::nullopt;
    return IconvHandle(handle);
  }

  IconvHandle(IconvHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
  IconvHandle& operator=(IconvHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  ~IconvHandle() {
    if (handle_ != Invalid()) iconv_close(handle_);
  }

  iconv_t Get() const { return handle_; }
  // Back to the initial shift state, as before a new text.
  void Reset() const { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

 private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
  explicit IconvHandle(iconv_t handle) : handle_(handle) {}

  iconv_t handle_;
};

}  // namespace dotforge
