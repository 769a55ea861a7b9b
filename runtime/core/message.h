// A bounded text builder for error messages: no heap, no printf machinery.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rt {

class Message {
 public:
  Message& add(const char* text);
  Message& add_hex(std::uint32_t value);  // "0x" and eight upper-case digits
  const char* c_str() const { return buffer_; }

 private:
  char buffer_[256] = {};
  std::size_t length_ = 0;
};

}  // namespace rt
