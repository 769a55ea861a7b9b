// GBK texts meet the wide Win32 API here: code page 936 whatever the system's ANSI code page.
#pragma once

#include <windows.h>

namespace rt::win32 {

inline constexpr UINT gbk_code_page = 936;

// A UTF-16 copy of a zero-ended GBK text. Invalid GBK bytes or a lack of memory leave it
// empty with ok() false and the reason in GetLastError().
class WideText {
 public:
  explicit WideText(const char* gbk);
  ~WideText();
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  bool ok() const { return text_ != nullptr; }
  const wchar_t* get() const { return text_ ? text_ : L""; }

 private:
  wchar_t* text_ = nullptr;
};

}  // namespace rt::win32
