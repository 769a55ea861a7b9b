#include "gbk.h"

#include <cstdlib>

namespace rt::win32 {

WideText::WideText(const char* gbk) {
  const int length = MultiByteToWideChar(gbk_code_page, MB_ERR_INVALID_CHARS, gbk, -1, nullptr, 0);
  if (length <= 0) return;
  auto* buffer = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * static_cast<size_t>(length)));
  if (buffer == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  if (MultiByteToWideChar(gbk_code_page, MB_ERR_INVALID_CHARS, gbk, -1, buffer, length) != length) {
    std::free(buffer);
    return;
  }
  text_ = buffer;
}

WideText::~WideText() { std::free(text_); }

}  // namespace rt::win32
