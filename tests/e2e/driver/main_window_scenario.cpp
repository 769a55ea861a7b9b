// The main window as it first shows: frame, place, class, controls and focus.
#include <windows.h>

#include <string>

#include "tests/e2e/driver/expected.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

// The test scripts say which code page and desktop size the session was set up with, so that a
// run that silently fell back to another locale or screen does not pass for a real one.
void check_session(Run& run) {
  const std::string screen =
      std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
  const std::string code_page = std::to_string(GetACP());
  run.report.note("screen " + screen + ", ANSI code page " + code_page);
  if (auto wanted = environment(L"E2E_EXPECT_ACP")) {
    run.report.expect_equal("ANSI code page of the session", *wanted, code_page);
  }
  if (auto wanted = environment(L"E2E_EXPECT_SCREEN")) {
    run.report.expect_equal("screen size of the session", *wanted, screen);
  }
}

void check_frame(Run& run, HWND window) {
  run.report.expect_equal("main window caption", std::wstring(expected::main_caption), stored_text(window));
  run.report.expect_equal("main window is centred on the screen with its outer size",
                          centred_box(expected::main_width, expected::main_height), outer_box(window));
  expect_style_bits(run, "main window has a fixed caption bar with system menu, no size boxes", style_of(window),
                    expected::frame_styles, expected::forbidden_frame_styles);
  expect_style_bits(run, "main window shows in the taskbar", ex_style_of(window), WS_EX_APPWINDOW, 0);
  expect_caption_icon(run, window, "main window");
  expect_client_colour(run, "main window background is the button-face colour", window, {2, 2},
                       GetSysColor(COLOR_BTNFACE));
}

void check_controls(Run& run, const MainWindow& main) {
  const HWND controls[] = {main.label, main.edit, main.button};
  for (size_t i = 0; i < std::size(controls); ++i) {
    const expected::Control& want = expected::main_controls[i];
    const std::string name = to_text(want.class_name);
    run.report.expect_equal(name + " rectangle", want.box, box_in_parent(controls[i]));
    run.report.expect_equal(name + " text", std::wstring(want.text), control_text(controls[i]));
    expect_style_bits(run, name + " is visible, enabled" + (want.tab_stop ? " and a tab stop" : ", not a tab stop"),
                      style_of(controls[i]), WS_VISIBLE | (want.tab_stop ? WS_TABSTOP : 0),
                      WS_DISABLED | (want.tab_stop ? 0 : WS_TABSTOP));
  }
  expect_style_bits(run, "label has no border", style_of(main.label) | ex_style_of(main.label), 0,
                    WS_BORDER | WS_DLGFRAME);
  expect_style_bits(run, "label has no edge", ex_style_of(main.label), 0,
                    WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME);
  expect_style_bits(run, "edit box has a sunken edge", ex_style_of(main.edit), WS_EX_CLIENTEDGE, 0);
  expect_style_bits(run, "edit box is one plain left-aligned line that scrolls sideways", style_of(main.edit),
                    ES_AUTOHSCROLL,
                    ES_MULTILINE | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_READONLY | ES_NUMBER | ES_CENTER |
                        ES_RIGHT);
  // No length limit: the largest limit a single-line edit box can have.
  const auto limit = static_cast<unsigned long long>(send(main.edit, EM_GETLIMITTEXT));
  run.report.expect(limit >= 0x7ffffffe, "edit box has no length limit", ">= 0x7ffffffe", to_hex(limit));
  // Past the end of "Quellin": the label lets the window's background through.
  const expected::Control& label = expected::main_controls[0];
  expect_client_colour(run, "label background is the window's button-face colour", main.window,
                       {label.box.x + label.box.width - 2, label.box.y + 1}, GetSysColor(COLOR_BTNFACE));
  const expected::Control& edit = expected::main_controls[1];
  expect_client_colour(run, "edit box is white inside", main.window,
                       {edit.box.x + edit.box.width - 6, edit.box.y + edit.box.height / 2}, RGB(255, 255, 255));
  run.report.expect_equal("button is an ordinary push button, not the default button",
                          static_cast<long long>(BS_PUSHBUTTON),
                          static_cast<long long>(style_of(main.button) & BS_TYPEMASK));
}

void check_first_focus(Run& run, const MainWindow& main) {
  const ThreadFocus focus = thread_focus(main.thread);
  run.report.expect(focus.focus == main.button, "the button has the focus when the main window first shows",
                    main.name_of(main.button), main.name_of(focus.focus));
  run.report.expect(focus.active == main.window, "the main window is the active window", main.name_of(main.window),
                    main.name_of(focus.active));
}

}  // namespace

void run_main_window(Run& run, std::string_view) {
  check_session(run);
  const MainWindow main = wait_for_main_window(run);
  check_first_focus(run, main);
  check_frame(run, main.window);
  check_controls(run, main);
}

}  // namespace e2e
