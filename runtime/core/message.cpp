#include "message.h"

namespace rt {

Message& Message::add(const char* text) {
  // Keeps the last byte for the terminating zero; a longer text is cut, never overrun.
  while (*text != '\0' && length_ + 1 < sizeof buffer_) buffer_[length_++] = *text++;
  buffer_[length_] = '\0';
  return *this;
}

Message& Message::add_hex(std::uint32_t value) {
  char digits[11] = "0x";
  for (int i = 0; i < 8; ++i) digits[2 + i] = "0123456789ABCDEF"[(value >> (28 - 4 * i)) & 0xF];
  digits[10] = '\0';
  return add(digits);
}

}  // namespace rt
