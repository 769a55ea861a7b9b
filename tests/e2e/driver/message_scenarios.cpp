// Pressing the button in its different ways: the message window replaces the main window, and
// closing it ends the program.
#include <windows.h>

#include <string>

#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

enum class PressBy { space, mouse_click, typed_text, long_paste, double_space };
enum class CloseBy { escape, close_box };

struct MessageCase {
  std::string_view name;
  PressBy press;
  CloseBy close;
};

constexpr MessageCase message_cases[] = {
    {"message-window", PressBy::space, CloseBy::escape},
    {"message-close-box", PressBy::space, CloseBy::close_box},
    {"mouse-click-button", PressBy::mouse_click, CloseBy::escape},
    {"typed-text-then-press", PressBy::typed_text, CloseBy::escape},
    {"long-paste-then-press", PressBy::long_paste, CloseBy::escape},
    {"double-press", PressBy::double_space, CloseBy::escape},
};


// Fills the edit box, then goes back to the button and presses it with Space.
void fill_edit_then_press(Run& run, const MainWindow& main, const std::wstring& text, bool paste) {
  expect_focus_move(run, main, {VK_TAB}, "Tab", main.button, main.edit);
  if (paste) {
    set_clipboard_text(text);
    press_chord({VK_CONTROL, 'V'});
  } else {
    type_text(text);
  }
  size_t length = 0;
  wait_until([&] { return (length = static_cast<size_t>(send(main.edit, WM_GETTEXTLENGTH))) >= text.size(); });
  const std::string how = paste ? "pasted" : "typed";
  run.report.expect_equal("edit box holds the whole " + how + " text's length", static_cast<long long>(text.size()),
                          static_cast<long long>(length));
  const std::wstring held = reported_text(main.edit);
  run.report.expect(held == text, "edit box holds exactly the " + how + " text",
                    paste ? "the clipboard text" : to_text(text),
                    paste ? std::to_string(held.size()) + " characters that differ" : to_text(held));
  expect_focus_move(run, main, {VK_SHIFT, VK_TAB}, "Shift+Tab", main.edit, main.button);
  press_chord({VK_SPACE});
}

void press_button(Run& run, const MainWindow& main, PressBy press) {
  switch (press) {
    case PressBy::space: press_chord({VK_SPACE}); break;
    case PressBy::double_space: press_repeatedly(VK_SPACE, 2); break;
    case PressBy::mouse_click: {
      const Box button = outer_box(main.button);
      click_at({button.x + button.width / 2, button.y + button.height / 2});
      break;
    }
    case PressBy::typed_text: fill_edit_then_press(run, main, L"Hello, \u4e16\u754c 42", false); break;
    case PressBy::long_paste: fill_edit_then_press(run, main, long_clipboard_text(), true); break;
  }
}

}  // namespace

void run_message_scenario(Run& run, std::string_view name) {
  const MessageCase* chosen = nullptr;
  for (const MessageCase& c : message_cases) {
    if (c.name == name) chosen = &c;
  }
  if (chosen == nullptr) throw DriverError("no message case named " + std::string(name));

  const MainWindow main = wait_for_main_window(run);
  HWND first_focus = thread_focus(main.thread).focus;
  run.report.require(first_focus == main.button, "the focus starts on the button", main.name_of(main.button),
                     main.name_of(first_focus));
  press_button(run, main, chosen->press);
  HWND message = expect_message_window(run, main.window);

  if (chosen->press == PressBy::double_space) {
    const DWORD process = run.program.process_id();
    const bool single = holds_for(
        [&] {
          const std::vector<HWND> shown = visible_windows(process);
          return shown.size() == 1 && shown[0] == message;
        },
        1000);
    run.report.expect(single, "a second press in the same burst opens no second window", "1 window",
                      std::to_string(visible_windows(process).size()) + " windows");
  }

  // A second message window left behind would keep the program running after this close.
  if (chosen->close == CloseBy::escape) {
    press_chord({VK_ESCAPE});
    expect_clean_exit(run, "Esc on the message window");
  } else {
    click_close_box(run, message, "message window");
    expect_clean_exit(run, "a click on the message window's close box");
  }
}

}  // namespace e2e
