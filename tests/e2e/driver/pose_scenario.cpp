// Holds each window still for the screenshot script: prints where it is, then waits for the
// script to say it has taken its picture.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

constexpr DWORD picture_timeout_ms = 60000;

// Prints "pose NAME X Y WIDTH HEIGHT" and waits for the file NAME.done in the hand-over folder.
void hold_for_picture(Run& run, const std::string& hand_over, const char* name, HWND window) {
  const Box box = outer_box(window);
  std::printf("pose %s %d %d %d %d\n", name, box.x, box.y, box.width, box.height);
  std::fflush(stdout);
  const std::string done = hand_over + "\\" + name + ".done";
  const bool taken = wait_until([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                picture_timeout_ms);
  run.report.require(taken, std::string("picture of the ") + name + " taken", done, "no such file");
}

}  // namespace

void run_pose(Run& run, std::string_view) {
  const std::optional<std::string> hand_over = environment(L"E2E_POSE_DIR");
  if (!hand_over) throw DriverError("E2E_POSE_DIR names no folder for the hand-over files");

  const MainWindow main = wait_for_main_window(run);
  // Painted by now: the message window's checks below wait for its paint the same way.
  expect_client_colour(run, "main window background is the button-face colour", main.window, {2, 2},
                       GetSysColor(COLOR_BTNFACE));
  hold_for_picture(run, *hand_over, "main-window", main.window);
  press_chord({VK_SPACE});
  HWND message = expect_message_window(run, main.window);
  hold_for_picture(run, *hand_over, "message-window", message);
  press_chord({VK_ESCAPE});
  expect_clean_exit(run, "Esc on the message window");
}

}  // namespace e2e
