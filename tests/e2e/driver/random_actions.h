// The user's moves for the random run: real keyboard and mouse input, each drawn with a weight
// that depends on which window is in front, so that the run spends time in both windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/e2e/driver/scenario.h"

namespace e2e {

// splitmix64: the same numbers from the same seed with any compiler and library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // 0 <= result < bound
  std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

 private:
  std::uint64_t state_;
};

// Every step draws from its own generator, so a step does the same thing on a replay even when
// an earlier step took a different number of numbers.
Random random_for_step(std::uint64_t seed, std::uint64_t step);

enum class Front { main_window, message_window };

// What an action works on: the shown window, and the main window's button when it is in front.
struct Target {
  Front front;
  HWND window;
  HWND button;  // null on the message window
};

struct Action {
  std::string_view name;
  int main_weight;
  int message_weight;
  bool uses_keyboard;
  // Sends the input; returns what exactly was sent, for the log of the last actions.
  std::string (*perform)(Run& run, const Target& target, Random& random);
};

// Draws the step's action for the window in front.
const Action& choose_action(Front front, Random& random);

// Text put on the clipboard once at the start, for Ctrl+V to paste.
}  // namespace e2e
