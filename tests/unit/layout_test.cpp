// The placement rules: which control takes the focus first, and where a window opens.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "runtime/core/layout.h"

namespace {

using rt::UnitKind;

struct Control {
  UnitKind kind;
  bool tab_stop;
  int tab_order;
  bool visible = true;
  bool disabled = false;
};

struct FocusCase {
  const char* what;
  std::vector<Control> controls;  // record indices 1, 2, ...
  std::optional<std::size_t> expected;
};

std::vector<rt::Unit> units_of(const std::vector<Control>& controls) {
  std::vector<rt::Unit> units{{.id = 1, .kind = UnitKind::window, .width = 100, .height = 100}};
  for (const Control& c : controls)
    units.push_back({.id = static_cast<rt::UnitId>(units.size() + 1), .kind = c.kind, .visible = c.visible,
                     .disabled = c.disabled, .tab_stop = c.tab_stop, .tab_order = c.tab_order});
  return units;
}

TEST(InitialFocus, FollowsTheRuleOnEachTemplate) {
  const UnitKind label = UnitKind::label, edit = UnitKind::edit_box, button = UnitKind::push_button;
  const FocusCase cases[] = {
      {"a tie goes to the later control in record order", {{button, true, 0}, {edit, true, 0}}, 2},
      {"the main window's shape: label, edit box, button", {{label, false, 0}, {edit, true, 0}, {button, true, 0}}, 3},
      {"the lowest tab-order number wins, later in record order", {{edit, true, 3}, {button, true, 1}, {edit, true, 2}}, 2},
      {"the lowest tab-order number wins, earlier in record order", {{button, true, 0}, {edit, true, 1}}, 1},
      {"an invisible control is passed over", {{button, true, 0}, {edit, true, 0, false}}, 1},
      {"a disabled control is passed over", {{edit, true, 0}, {button, true, 0, true, true}}, 1},
      {"a label never takes the focus, even as a tab stop", {{edit, true, 5}, {label, true, 0}}, 1},
      {"a control without a tab stop is passed over", {{edit, true, 5}, {button, false, 0}}, 1},
      {"no control qualifies",
       {{label, true, 0}, {button, false, 0}, {edit, true, 0, false}, {button, true, 0, true, true}},
       std::nullopt},
      {"the window has no controls", {}, std::nullopt},
  };
  for (const FocusCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<rt::Unit> units = units_of(c.controls);
    EXPECT_EQ(rt::initial_focus({0x7a000001, units}), c.expected);
  }
}

struct CentringCase {
  rt::Size screen;
  rt::Size window;
  rt::Point expected;
};

TEST(CentredOrigin, UsesTruncatingDivision) {
  const CentringCase cases[] = {
      {{1024, 768}, {209, 156}, {407, 306}},
      {{1025, 769}, {208, 157}, {408, 306}},  // odd differences drop the half pixel
      {{209, 156}, {209, 156}, {0, 0}},
      {{100, 101}, {209, 156}, {-54, -27}},  // a smaller screen: truncated toward zero, not floored
      {{1, 1}, {2, 2}, {0, 0}},
  };
  for (const CentringCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "screen " << c.screen.width << "x" << c.screen.height << ", window "
                                    << c.window.width << "x" << c.window.height);
    const rt::Point origin = rt::centred_origin(c.screen, c.window);
    EXPECT_EQ(origin.x, c.expected.x);
    EXPECT_EQ(origin.y, c.expected.y);
  }
}

}  // namespace
