// The system's own words for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

inline std::wstring system_message(DWORD code) {
  wchar_t text[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                512, nullptr);
  while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' ')) --length;
  std::wstring message(text, length);
  return message + L" (error " + std::to_wstring(code) + L")";
}

}  // namespace bench
