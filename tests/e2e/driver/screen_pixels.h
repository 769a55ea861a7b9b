// What the screen shows: pixels read back from the desktop, and the program's icon as drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/report.h"

namespace e2e {

// A copy of part of the screen, addressed in screen coordinates.
class ScreenCapture {
 public:
  explicit ScreenCapture(const Box& area);
  COLORREF pixel(int screen_x, int screen_y) const;

 private:
  Box area_;
  std::vector<std::uint32_t> bits_;
};

// The program's first icon at the small icon size: the colour of each fully opaque pixel, row by
// row, and nothing for pixels that let the background through.
struct IconPixels {
  int size = 0;
  std::vector<std::optional<COLORREF>> pixels;
};
IconPixels program_small_icon(const std::wstring& exe_path);

// How much of the icon the screen shows somewhere inside the area: the best share of its opaque
// pixels found in place at one position.
double best_icon_match(const IconPixels& icon, const Box& area);

std::string colour_text(COLORREF colour);

}  // namespace e2e
