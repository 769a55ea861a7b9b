#include "tests/e2e/driver/scenario.h"

#include <algorithm>
#include <vector>

#include "app/handlers/message_text.h"
#include "tests/e2e/driver/expected.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/screen_pixels.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

std::string describe_all(const std::vector<HWND>& windows) {
  std::string text = std::to_string(windows.size()) + " [";
  for (HWND window : windows) text += (text.back() == '[' ? "" : ", ") + describe(window);
  return text + "]";
}

}  // namespace

std::string MainWindow::name_of(HWND target) const {
  if (target == window) return "the main window";
  if (target == label) return "the label";
  if (target == edit) return "the edit box";
  if (target == button) return "the button";
  return describe(target);
}

MainWindow wait_for_main_window(Run& run) {
  const DWORD process = run.program.process_id();
  std::vector<HWND> shown;
  const bool appeared = wait_until(
      [&] {
        shown = template_windows(process);
        return !shown.empty() || !run.program.running();
      },
      startup_timeout_ms);
  run.report.require(appeared && shown.size() == 1, "the main window shows", "1 window", describe_all(shown));

  MainWindow main{shown.front()};
  const std::vector<HWND> children = children_in_z_order(main.window);
  std::string classes;
  for (HWND child : children) classes += to_text(class_name(child)) + " ";
  const bool three_controls = children.size() == 3 && class_name(children[0]) == template_label_class &&
                              class_name(children[1]) == L"Edit" && class_name(children[2]) == L"Button";
  run.report.require(three_controls, "main window controls in z-order are label, edit box, button",
                     "\"TemplateLabel\" \"Edit\" \"Button\"", classes);
  main.label = children[0];
  main.edit = children[1];
  main.button = children[2];
  main.thread = window_thread(main.window);

  HWND foreground = nullptr;
  run.report.require(wait_until([&] { return (foreground = GetForegroundWindow()) == main.window; }),
                     "main window comes to the foreground", describe(main.window), describe(foreground));
  // Showing the window may focus the window itself for a moment before the program focuses a control.
  ThreadFocus focus;
  run.report.require(wait_until([&] {
                       focus = thread_focus(main.thread);
                       return focus.focus != nullptr && GetParent(focus.focus) == main.window;
                     }),
                     "main window gives the focus to one of its controls", "a control", describe(focus.focus));
  return main;
}

HWND focus_after(Run& run, const MainWindow& main, std::initializer_list<WORD> keys, HWND from) {
  press_chord(keys);
  HWND focus = from;
  wait_until([&] {
    if (!run.program.running()) {
      focus = nullptr;
      return true;
    }
    return (focus = thread_focus(main.thread).focus) != from;
  });
  return focus;
}

void expect_focus_move(Run& run, const MainWindow& main, std::initializer_list<WORD> keys, std::string_view keys_name,
                       HWND from, HWND to) {
  HWND focus = focus_after(run, main, keys, from);
  const std::string what =
      std::string(keys_name) + " moves the focus from " + main.name_of(from) + " to " + main.name_of(to);
  run.report.require(focus == to, what, main.name_of(to), main.name_of(focus));
}

void expect_style_bits(Run& run, std::string_view what, LONG_PTR value, LONG_PTR wanted, LONG_PTR unwanted) {
  const bool right = (value & wanted) == wanted && (value & unwanted) == 0;
  run.report.expect(right, what, "bits " + to_hex(static_cast<ULONG_PTR>(wanted)) + " set and " +
                                     to_hex(static_cast<ULONG_PTR>(unwanted)) + " clear",
                    to_hex(static_cast<ULONG_PTR>(value)));
}

std::optional<std::string> to_gbk(std::wstring_view text) {
  if (text.empty()) return std::string();
  constexpr UINT gbk = 936;
  const int length = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int bytes = WideCharToMultiByte(gbk, 0, text.data(), length, nullptr, 0, nullptr, &lossy);
  if (bytes == 0) fail_call("WideCharToMultiByte(936)");
  std::string out(static_cast<size_t>(bytes), '\0');
  if (WideCharToMultiByte(gbk, 0, text.data(), length, out.data(), bytes, nullptr, &lossy) != bytes) {
    fail_call("WideCharToMultiByte(936)");
  }
  if (lossy) return std::nullopt;
  return out;
}

void expect_caption_icon(Run& run, HWND window, std::string_view which) {
  const std::optional<Box> menu_box = find_caption_part(window, HTSYSMENU);
  run.report.expect(menu_box.has_value(), std::string(which) + " caption bar has a system menu box", "HTSYSMENU",
                    "no point of the caption bar");
  if (!menu_box) return;
  const IconPixels icon = program_small_icon(run.program.path());
  const Box area{menu_box->x - 2, menu_box->y - 2, menu_box->width + 4, menu_box->height + 4};
  constexpr double enough = 0.9;
  double match = 0;
  wait_until([&] { return (match = best_icon_match(icon, area)) >= enough; });
  run.report.expect(match >= enough, std::string(which) + " caption bar shows the program's icon",
                    "at least 90% of its opaque pixels", std::to_string(static_cast<int>(match * 100)) + "%");
}

void expect_client_colour(Run& run, std::string_view what, HWND window, POINT client_point, COLORREF want) {
  POINT at = client_point;
  if (!ClientToScreen(window, &at)) fail_call("ClientToScreen");
  COLORREF got = CLR_INVALID;
  wait_until([&] { return (got = ScreenCapture({at.x, at.y, 1, 1}).pixel(at.x, at.y)) == want; });
  run.report.expect(got == want, what, colour_text(want), colour_text(got));
}

HWND expect_message_window(Run& run, HWND main_window) {
  const DWORD process = run.program.process_id();
  HWND message = nullptr;
  const bool appeared = wait_until([&] {
    for (HWND window : template_windows(process)) {
      if (window != main_window) message = window;
    }
    return message != nullptr || !run.program.running();
  });
  run.report.require(appeared && message != nullptr, "the message window shows after the press", "a new window",
                     describe_all(template_windows(process)));

  // Read at once: the label must already hold its text when the window first shows.
  const std::vector<HWND> children = children_in_z_order(message);
  run.report.require(children.size() == 1 && class_name(children[0]) == template_label_class,
                     "message window holds one label", "1 \"TemplateLabel\"", describe_all(children));
  HWND label = children[0];
  const std::wstring first_text = stored_text(label);
  const std::string shown_gbk = to_gbk(first_text).value_or("<not GBK>");
  run.report.expect(shown_gbk == expected::message_gbk, "message label shows the whole line as soon as it shows",
                    hex_bytes(expected::message_gbk), hex_bytes(shown_gbk) + " " + to_text(first_text));
  const std::string_view program_text(reinterpret_cast<const char*>(app::message_text), sizeof app::message_text);
  run.report.expect(shown_gbk == program_text, "message label text equals the program's message constant",
                    hex_bytes(program_text), hex_bytes(shown_gbk));

  run.report.expect(wait_until([&] { return !IsWindow(main_window); }), "main window is destroyed after the press",
                    "destroyed", describe(main_window));
  const std::vector<HWND> remaining = visible_windows(process);
  run.report.expect(remaining.size() == 1 && remaining[0] == message,
                    "the message window is the program's only visible top-level window",
                    "1 [" + describe(message) + "]", describe_all(remaining));

  run.report.expect_equal("message window caption is empty", std::wstring(), stored_text(message));
  expect_style_bits(run, "message window has a fixed caption bar with system menu, no size boxes", style_of(message),
                    expected::frame_styles, expected::forbidden_frame_styles);
  expect_style_bits(run, "message window shows in the taskbar", ex_style_of(message), WS_EX_APPWINDOW, 0);
  run.report.expect_equal("message window is centred on the screen with its outer size",
                          centred_box(expected::message_width, expected::message_height), outer_box(message));
  run.report.expect(find_close_box(message).has_value(), "message window caption bar has a close box", "HTCLOSE",
                    "no point of the caption bar");
  run.report.expect_equal("message label rectangle", expected::message_label_box, box_in_parent(label));
  expect_caption_icon(run, message, "message window");
  expect_client_colour(run, "message window background is the button-face colour", message, {2, 2},
                       GetSysColor(COLOR_BTNFACE));

  HWND foreground = nullptr;
  run.report.require(wait_until([&] { return (foreground = GetForegroundWindow()) == message; }),
                     "message window is the active window", describe(message), describe(foreground));
  return message;
}

void expect_clean_exit(Run& run, std::string_view after) {
  const std::optional<DWORD> code = run.program.wait_exit(default_timeout_ms);
  run.report.expect(code == 0u, "program exits with code 0 after " + std::string(after), "exit code 0",
                    code ? "exit code " + to_hex(*code) : std::string("still running"));
}

void click_close_box(Run& run, HWND window, std::string_view which) {
  const std::optional<POINT> close_box = find_close_box(window);
  run.report.require(close_box.has_value(), std::string(which) + " has a close box to click", "HTCLOSE",
                     "no point of the caption bar");
  click_at(*close_box);
}

std::optional<std::string> environment(const wchar_t* name) {
  wchar_t value[256];
  const DWORD length = GetEnvironmentVariableW(name, value, 256);
  if (length == 0 || length >= 256) return std::nullopt;
  std::string ascii;
  for (DWORD i = 0; i < length; ++i) ascii += value[i] < 0x80 ? static_cast<char>(value[i]) : '?';
  return ascii;
}

}  // namespace e2e
