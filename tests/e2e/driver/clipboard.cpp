#include "tests/e2e/driver/clipboard.h"

#include <windows.h>

#include <cstring>

#include "tests/e2e/driver/report.h"
#include "tests/e2e/driver/wait.h"

namespace e2e {

namespace {

// Frees the memory and reports the failed call with its own error code.
[[noreturn]] void give_up(std::string_view call, HGLOBAL memory, bool clipboard_open) {
  const DWORD error = GetLastError();
  if (clipboard_open) CloseClipboard();
  GlobalFree(memory);
  fail_call(call, error);
}

}  // namespace

void set_clipboard_text(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) fail_call("GlobalAlloc");
  void* target = GlobalLock(memory);
  if (target == nullptr) give_up("GlobalLock", memory, false);
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory);

  // Another process may hold the clipboard for a moment.
  if (!wait_until([] { return OpenClipboard(nullptr) != FALSE; })) give_up("OpenClipboard", memory, false);
  if (!EmptyClipboard()) give_up("EmptyClipboard", memory, true);
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) give_up("SetClipboardData", memory, true);
  // The clipboard owns the memory from here on.
  if (!CloseClipboard()) fail_call("CloseClipboard");
}

std::wstring long_clipboard_text() {
  constexpr size_t length = 100000;
  std::wstring text;
  text.reserve(length);
  while (text.size() < length) text += L"0123456789abcdefghij\u6309\u94ae";
  text.resize(length);
  return text;
}

}  // namespace e2e
