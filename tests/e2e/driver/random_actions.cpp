#include "tests/e2e/driver/random_actions.h"

#include <algorithm>
#include <span>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

constexpr std::wstring_view chinese_characters = L"\u4f60\u597d\u4e16\u754c\u4e2d\u6587\u8f93\u5165\u6309\u94ae"
                                                 L"\u7a97\u53e3\u6d4b\u8bd5\u7a0b\u5e8f\u6b22\u8fce\u4f7f\u7528";

std::string point_text(POINT point) { return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")"; }

// A random point of the box, kept on the screen (the Wine desktop).
POINT random_point_in(const Box& box, Random& random) {
  const LONG x = box.x + static_cast<LONG>(random.below(static_cast<std::uint32_t>(std::max(box.width, 1))));
  const LONG y = box.y + static_cast<LONG>(random.below(static_cast<std::uint32_t>(std::max(box.height, 1))));
  return {std::clamp<LONG>(x, 0, GetSystemMetrics(SM_CXSCREEN) - 1),
          std::clamp<LONG>(y, 0, GetSystemMetrics(SM_CYSCREEN) - 1)};
}

std::wstring random_text(std::wstring_view alphabet, Random& random, std::uint32_t max_length) {
  std::wstring text;
  const std::uint32_t length = 1 + random.below(max_length);
  for (std::uint32_t i = 0; i < length; ++i) text += alphabet[random.below(static_cast<std::uint32_t>(alphabet.size()))];
  return text;
}

template <WORD... keys>
std::string press(Run&, const Target&, Random&) {
  press_chord({keys...});
  return {};
}

std::string type_letters(Run&, const Target&, Random& random) {
  const std::wstring text = random_text(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", random, 12);
  type_text(text);
  return to_text(text);
}

std::string type_chinese(Run&, const Target&, Random& random) {
  const std::wstring text = random_text(chinese_characters, random, 6);
  type_text(text);
  return to_text(text);
}

std::string click_in(const Box& box, Random& random, int clicks) {
  const POINT point = random_point_in(box, random);
  if (clicks == 2) {
    double_click_at(point);
  } else {
    click_at(point);
  }
  return point_text(point);
}

std::string click_window(Run&, const Target& target, Random& random) { return click_in(outer_box(target.window), random, 1); }
std::string double_click_window(Run&, const Target& target, Random& random) {
  return click_in(outer_box(target.window), random, 2);
}
std::string click_button(Run&, const Target& target, Random& random) { return click_in(outer_box(target.button), random, 1); }
std::string double_click_button(Run&, const Target& target, Random& random) {
  return click_in(outer_box(target.button), random, 2);
}

std::string click_close(Run& run, const Target& target, Random&) {
  const std::optional<POINT> close_box = find_close_box(target.window);
  if (!close_box) {
    run.report.fail("the window in front has a close box to click", "HTCLOSE", "no point of the caption bar");
    throw ScenarioAborted("no close box");
  }
  click_at(*close_box);
  return point_text(*close_box);
}

// Weights: on the main window the moves that end the program or open the message window are
// rare enough that it stays in front for several steps; the message window has fewer moves.
constexpr Action actions[] = {
    {"Tab", 10, 4, true, press<VK_TAB>},
    {"Shift+Tab", 8, 3, true, press<VK_SHIFT, VK_TAB>},
    {"Space", 4, 4, true, press<VK_SPACE>},
    {"Enter", 6, 5, true, press<VK_RETURN>},
    {"Esc", 1, 1, true, press<VK_ESCAPE>},
    {"Alt+F4", 1, 1, true, press<VK_MENU, VK_F4>},
    {"type letters", 10, 5, true, type_letters},
    {"type Chinese", 6, 3, true, type_chinese},
    {"Ctrl+V", 3, 3, true, press<VK_CONTROL, 'V'>},
    {"click in window", 10, 8, false, click_window},
    {"double-click in window", 4, 3, false, double_click_window},
    {"click button", 2, 0, false, click_button},
    {"double-click button", 1, 0, false, double_click_button},
    {"click close box", 1, 1, false, click_close},
};

}  // namespace

std::uint64_t Random::next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

Random random_for_step(std::uint64_t seed, std::uint64_t step) {
  Random mixer(seed ^ (step * 0xd1b54a32d192ed03ull));
  return Random(mixer.next());
}

const Action& choose_action(Front front, Random& random) {
  auto weight = [front](const Action& action) {
    return front == Front::main_window ? action.main_weight : action.message_weight;
  };
  int total = 0;
  for (const Action& action : actions) total += weight(action);
  int pick = static_cast<int>(random.below(static_cast<std::uint32_t>(total)));
  for (const Action& action : actions) {
    if (pick < weight(action)) return action;
    pick -= weight(action);
  }
  return actions[0];  // not reached: the picks cover the total
}

}  // namespace e2e
