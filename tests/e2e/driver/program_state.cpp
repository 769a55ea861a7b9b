#include "tests/e2e/driver/program_state.h"

#include "tests/e2e/driver/expected.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

// A round trip through the program's message loop; false when the program does not answer in
// time. A window destroyed meanwhile is no sign of a hang.
bool answers(HWND window) {
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, send_timeout_ms, &ignored)) return true;
  return !IsWindow(window);
}

// The caption without failing: the window may be destroyed while it is read.
std::wstring caption_of(HWND window) {
  wchar_t text[64];
  const int length = GetWindowTextW(window, text, 64);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string window_list(const std::vector<HWND>& windows) {
  std::string text;
  for (HWND window : windows) text += (text.empty() ? "" : ", ") + e2e::describe(window);
  return "[" + text + "]";
}

}  // namespace


bool ProgramState::in_modal_loop() const {
  return (thread_flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

std::string ProgramState::describe() const {
  return std::string(running ? "running" : "ended") + "; main windows " + window_list(main_windows) +
         "; message windows " + window_list(message_windows) + "; shown " + window_list(shown) + "; others shown " + window_list(others_shown) + "; foreground " +
         e2e::describe(foreground) + "; focus " + e2e::describe(focus) + "; thread flags " + to_hex(thread_flags) +
         "; edit length " + std::to_string(edit_length) + (answering ? "" : "; NOT ANSWERING");
}

ProgramState read_state(const Program& program, DWORD thread_id) {
  ProgramState state;
  state.running = program.running();
  for (HWND window : all_top_level_windows(program.process_id())) {
    if (class_name(window) != template_window_class) {
      if (IsWindowVisible(window)) state.others_shown.push_back(window);
      continue;
    }
    if (!answers(window)) state.answering = false;
    (caption_of(window) == expected::main_caption ? state.main_windows : state.message_windows).push_back(window);
    if (IsWindowVisible(window)) state.shown.push_back(window);
  }
  state.foreground = GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  // The thread is gone once the program has ended.
  if (state.running && GetGUIThreadInfo(thread_id, &info)) {
    state.focus = info.hwndFocus;
    state.active = info.hwndActive;
    state.thread_flags = info.flags;
  }
  for (HWND main : state.main_windows) {
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (class_name(child) != L"Edit") continue;
      DWORD_PTR length = 0;
      if (SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, send_timeout_ms, &length)) {
        state.edit_length = static_cast<LRESULT>(length);
      } else if (IsWindow(child)) {
        state.answering = false;
      }
    }
  }
  return state;
}

std::optional<ProgramState> wait_for_idle(const Program& program, DWORD thread_id, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  ProgramState last = read_state(program, thread_id);
  ULONGLONG unchanged_since = GetTickCount64();
  for (;;) {
    if (!last.answering) return last;  // a hang is for the caller to report, not to wait out
    if (!last.running && all_top_level_windows(program.process_id()).empty()) return last;
    if (last.running && GetTickCount64() - unchanged_since >= quiet_ms) return last;
    if (GetTickCount64() >= deadline) return std::nullopt;
    Sleep(poll_interval_ms);
    ProgramState now = read_state(program, thread_id);
    if (!(now == last)) {
      last = std::move(now);
      unchanged_since = GetTickCount64();
    }
  }
}

}  // namespace e2e
