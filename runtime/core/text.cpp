#include <cstdlib>
#include <cstring>

#include "../runtime.h"
#include "text.h"

namespace rt {

namespace {
std::size_t outstanding = 0;  // one UI thread: no lock
}

std::size_t texts_outstanding() { return outstanding; }

Text bytes_to_text(ByteArray bytes) {
  const void* zero = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
  const std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes.data()) : bytes.size();
  auto* text = static_cast<char*>(std::malloc(length + 1));
  if (text == nullptr) return nullptr;
  if (length > 0) std::memcpy(text, bytes.data(), length);
  text[length] = '\0';
  ++outstanding;
  return text;
}

void release(Text text) {
  if (text == nullptr) return;
  --outstanding;
  std::free(text);
}

}  // namespace rt
