// Closing the main window without pressing the button: the program ends at once with exit code 0.
#include <windows.h>

#include <string>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

enum class CloseBy { escape, alt_f4, close_box };

struct CloseCase {
  std::string_view name;
  bool focus_edit_first;
  CloseBy action;
  std::string_view action_name;
};

constexpr CloseCase close_cases[] = {
    {"esc-from-edit", true, CloseBy::escape, "Esc with the focus on the edit box"},
    {"esc-from-button", false, CloseBy::escape, "Esc with the focus on the button"},
    {"alt-f4", false, CloseBy::alt_f4, "Alt+F4"},
    {"close-box", false, CloseBy::close_box, "a click on the close box"},
};

void close_main_window(Run& run, HWND window, CloseBy action) {
  switch (action) {
    case CloseBy::escape: press_chord({VK_ESCAPE}); break;
    case CloseBy::alt_f4: press_chord({VK_MENU, VK_F4}); break;
    case CloseBy::close_box: click_close_box(run, window, "main window"); break;
  }
}

}  // namespace

void run_close_scenario(Run& run, std::string_view name) {
  const CloseCase* chosen = nullptr;
  for (const CloseCase& c : close_cases) {
    if (c.name == name) chosen = &c;
  }
  if (chosen == nullptr) throw DriverError("no close case named " + std::string(name));

  const MainWindow main = wait_for_main_window(run);
  if (chosen->focus_edit_first) expect_focus_move(run, main, {VK_TAB}, "Tab", main.button, main.edit);
  close_main_window(run, main.window, chosen->action);

  // Watch the windows while the program ends: closing must never bring up the message window.
  bool saw_other_window = false;
  wait_until([&] {
    for (HWND window : template_windows(run.program.process_id())) saw_other_window |= window != main.window;
    return !run.program.running();
  });
  run.report.expect(!saw_other_window, std::string(chosen->action_name) + " shows no other window", "none",
                    "a second template window");
  expect_clean_exit(run, chosen->action_name);
}

}  // namespace e2e
