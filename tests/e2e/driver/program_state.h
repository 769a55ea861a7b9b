// The program's windows as the user sees them, read from outside, and the wait for the program
// to have finished with the input sent to it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/program.h"

namespace e2e {

struct ProgramState {
  bool running = false;
  std::vector<HWND> main_windows;     // template windows captioned like the main window, shown or not
  std::vector<HWND> message_windows;  // every other template window, shown or not
  std::vector<HWND> shown;            // the template windows that are visible
  std::vector<HWND> others_shown;     // any other visible top-level window: a menu, an error box
  HWND foreground = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  DWORD thread_flags = 0;   // GUITHREADINFO flags: menu and move loops
  LRESULT edit_length = -1;  // of the main window's edit box; -1 without one
  // Every template window answered a message within send_timeout_ms; false names a hung program.
  bool answering = true;

  bool operator==(const ProgramState&) const = default;
  // The one shown template window while exactly one shows.
  HWND top() const { return shown.size() == 1 ? shown.front() : nullptr; }
  bool in_modal_loop() const;
  std::string describe() const;
};

ProgramState read_state(const Program& program, DWORD thread_id);

// Input is idle when the program has answered a message round trip on every poll and nothing
// the user could see (windows, foreground, focus, menu or move loop, edit box length) has
// changed for quiet_ms, measured from after the input was sent. A program that ends is idle
// once its process is gone. Nothing when the state never settles within timeout_ms.
inline constexpr DWORD quiet_ms = 150;
std::optional<ProgramState> wait_for_idle(const Program& program, DWORD thread_id, DWORD timeout_ms);


}  // namespace e2e
