// What a window tree looks like from outside, to check that the reference builds the same
// windows as the program: kinds of control, styles, places, texts and the focus.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

struct WindowFacts {
  int depth;           // 0 for the window itself, 1 for its controls
  std::wstring kind;   // a system control class, or "own class"
  DWORD style;
  DWORD extended_style;
  RECT place;          // the window on the screen; a control in its parent's client area
  std::wstring text;
  bool has_focus;
};

// The window and its controls in z-order.
std::vector<WindowFacts> describe_window(HWND window);

// One line per difference, in UTF-8; none when both describe the same windows.
std::vector<std::string> differences(const std::vector<WindowFacts>& program, const std::vector<WindowFacts>& reference);

// UTF-16 to UTF-8 for the report.
std::string to_utf8(const std::wstring& text);

}  // namespace bench
