// Moving the focus with the keyboard, and a key that must do nothing.
#include <windows.h>

#include <string>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

struct FocusStep {
  WORD modifier;  // 0 for none
  std::string_view keys_name;
  HWND MainWindow::*from;
  HWND MainWindow::*to;
};

// Two tab stops: both directions alternate between them and wrap round, skipping the label.
constexpr FocusStep focus_steps[] = {
    {0, "Tab", &MainWindow::button, &MainWindow::edit},
    {0, "Tab", &MainWindow::edit, &MainWindow::button},
    {VK_SHIFT, "Shift+Tab", &MainWindow::button, &MainWindow::edit},
    {VK_SHIFT, "Shift+Tab", &MainWindow::edit, &MainWindow::button},
};

void press_focus_step(Run& run, const MainWindow& main, const FocusStep& step) {
  if (step.modifier != 0) {
    expect_focus_move(run, main, {step.modifier, VK_TAB}, step.keys_name, main.*step.from, main.*step.to);
  } else {
    expect_focus_move(run, main, {VK_TAB}, step.keys_name, main.*step.from, main.*step.to);
  }
}

// Enter then Tab: once the Tab has moved the focus the Enter has been handled, so whatever it
// would have done is visible by then.
void check_enter_does_nothing(Run& run, const MainWindow& main, HWND focused, HWND next, std::string_view when) {
  const std::string where = "Enter on " + main.name_of(focused) + std::string(when);
  press_chord({VK_RETURN});
  HWND focus = focus_after(run, main, {VK_TAB}, focused);
  run.report.expect(focus == next, where + ", then Tab moves the focus on as before", main.name_of(next),
                    main.name_of(focus));
  run.report.expect(run.program.running(), where + " leaves the program running", "running", "ended");
  const std::vector<HWND> shown = visible_windows(run.program.process_id());
  run.report.require(shown.size() == 1 && shown[0] == main.window,
                     where + " leaves the main window as the only window", "the main window alone",
                     std::to_string(shown.size()) + " windows, first " +
                         (shown.empty() ? "none" : main.name_of(shown[0])));
  run.report.expect_equal(where + " leaves the edit box empty", std::wstring(), control_text(main.edit));
}

}  // namespace

void run_keyboard_focus(Run& run, std::string_view) {
  const MainWindow main = wait_for_main_window(run);
  HWND first_focus = thread_focus(main.thread).focus;
  run.report.require(first_focus == main.button, "the focus starts on the button", main.name_of(main.button),
                     main.name_of(first_focus));

  // Enter on each control as the window opened; the Tab after each brings the focus back to the button.
  check_enter_does_nothing(run, main, main.button, main.edit, "");
  check_enter_does_nothing(run, main, main.edit, main.button, "");

  for (const FocusStep& step : focus_steps) press_focus_step(run, main, step);

  // The dialog keys may make a push button the default button when the focus comes to it, and
  // Enter would then press it: this one must stay plain.
  run.report.expect_equal("button is still an ordinary push button after the focus came back to it",
                          static_cast<long long>(BS_PUSHBUTTON),
                          static_cast<long long>(style_of(main.button) & BS_TYPEMASK));
  check_enter_does_nothing(run, main, main.button, main.edit, " after the focus came back to it");
}

}  // namespace e2e
