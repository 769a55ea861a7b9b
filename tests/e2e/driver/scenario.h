// What every scenario works with, and the steps several scenarios share.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/report.h"

namespace e2e {

struct Run {
  Report& report;
  Program& program;
  std::span<const std::wstring> options = {};  // the command line after PROGRAM.EXE
};

struct Scenario {
  std::string_view name;
  void (*run)(Run& run, std::string_view name);  // one function may serve several scenarios by name
  bool takes_options = false;
};

std::span<const Scenario> all_scenarios();

// The main window and its controls, found in their z-order.
struct MainWindow {
  HWND window = nullptr;
  HWND label = nullptr;
  HWND edit = nullptr;
  HWND button = nullptr;
  DWORD thread = 0;  // the program's user-interface thread

  // "the button" and so on for messages; describe() for any other window.
  std::string name_of(HWND window) const;
};

// Waits until the main window shows with its three controls, is in the foreground and has given
// the focus away; stops the scenario when it does not.
MainWindow wait_for_main_window(Run& run);

// Presses the keys and checks that the focus leaves `from` for `to`; stops the scenario when not.
void expect_focus_move(Run& run, const MainWindow& main, std::initializer_list<WORD> keys, std::string_view keys_name,
                       HWND from, HWND to);

// Sends the keys and waits for the program to move the focus off `from`, which proves it has
// handled every key sent before; nothing when the program has ended.
HWND focus_after(Run& run, const MainWindow& main, std::initializer_list<WORD> keys, HWND from);

// Checks a window's style bits: all of `wanted` set, none of `unwanted`.
void expect_style_bits(Run& run, std::string_view what, LONG_PTR value, LONG_PTR wanted, LONG_PTR unwanted);

// Checks that the caption bar draws the program's own icon in its system menu box.
void expect_caption_icon(Run& run, HWND window, std::string_view which);

// Checks the colour the screen shows at a point of the window's client area, once painted.
void expect_client_colour(Run& run, std::string_view what, HWND window, POINT client_point, COLORREF want);

// Waits for the message window after the button was pressed and checks it through; returns it.
HWND expect_message_window(Run& run, HWND main_window);

// Waits for the process to end and checks its exit code is 0.
void expect_clean_exit(Run& run, std::string_view after);

// Clicks the window's close box; stops the scenario when the window has none.
void click_close_box(Run& run, HWND window, std::string_view which);

// The text converted to GBK, the program's own encoding; nothing when a character has no GBK form.
std::optional<std::string> to_gbk(std::wstring_view text);

// An ASCII value from the environment that the test scripts set, or nothing.
std::optional<std::string> environment(const wchar_t* name);

}  // namespace e2e
