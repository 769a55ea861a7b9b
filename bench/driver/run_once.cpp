#include "run_once.h"

#include <windows.h>

#include "app/handlers/message_text.h"
#include "stopwatch.h"
#include "system_error.h"
#include "window_search.h"

namespace bench {

namespace {

const std::wstring main_caption = L"Varnholt";
constexpr double start_timeout_ms = 30000;  // the first start of a fresh Wine session is slow
constexpr double step_timeout_ms = 10000;
constexpr UINT settle_timeout_ms = 5000;
constexpr DWORD exit_timeout_ms = 10000;
constexpr DWORD quiet_pause_ms = 50;

// The message the message window's label shows, as the program converts it.
std::wstring expected_message() {
  wchar_t text[64];
  const int length = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(app::message_text),
                                         sizeof app::message_text, text, 64);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// Polls `done` about once a millisecond until it holds or the time is up.
template <typename Condition>
bool wait_until(double timeout_ms, Condition done) {
  const Stopwatch waited;
  while (!done()) {
    if (waited.elapsed_ms() > timeout_ms) return false;
    Sleep(1);
  }
  return true;
}

// Returns once the window's thread is back in its message loop: it has finished what it was
// doing (building a window, setting the focus).
bool settle(HWND window) {
  DWORD_PTR ignored;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, settle_timeout_ms, &ignored) != 0;
}

// Settled, painted, and still so after a pause: objects that live only while a paint or a
// focus change is under way are gone, so the counts are the lasting ones.
bool quiesce(HWND window) {
  for (int round = 0; round < 2; ++round) {
    if (!settle(window) || !wait_until(step_timeout_ms, [&] { return is_fully_painted(window); })) return false;
    Sleep(quiet_pause_ms);
  }
  return settle(window) && is_fully_painted(window);
}

HWND focused_control(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool focus_is_on_button(HWND window) {
  HWND focus = focused_control(window);
  return focus != nullptr && GetParent(focus) == window && class_name(focus) == L"Button";
}

bool press_space() {
  INPUT keys[2] = {};
  keys[0].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_SPACE;
  keys[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC));
  keys[1] = keys[0];
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, keys, sizeof(INPUT)) == 2;
}

// Owns the started process: a run that fails leaves nothing running behind it.
class StartedProcess {
 public:
  explicit StartedProcess(const PROCESS_INFORMATION& started) : info_(started) {}
  ~StartedProcess() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, exit_timeout_ms);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;

  HANDLE handle() const { return info_.hProcess; }
  DWORD id() const { return info_.dwProcessId; }
  // Both programs run their windows on the process's first thread.
  DWORD ui_thread() const { return info_.dwThreadId; }

 private:
  PROCESS_INFORMATION info_;
};

RunOutcome failed(const std::wstring& why) {
  RunOutcome outcome;
  outcome.error = why;
  return outcome;
}

}  // namespace

RunOutcome run_once(const std::wstring& executable) {
  RunOutcome outcome;
  RunFigures figures;
  std::wstring command_line = L"\"" + executable + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};

  // 1. Launch to the main window shown and painted.
  const Stopwatch launch;
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return failed(L"it cannot be started: " + system_message(GetLastError()));
  StartedProcess process(started);
  HWND main_window = nullptr;
  if (!wait_until(start_timeout_ms, [&] {
        main_window = find_shown_window(process.ui_thread(), main_caption);
        return main_window != nullptr && is_fully_painted(main_window);
      }))
    return failed(L"its main window was not shown and painted in time");
  figures.launch_ms = launch.elapsed_ms();

  // The main window's state, once the program is back in its loop. The focus must start on
  // the button; a window that did not become the active one is activated first.
  if (!settle(main_window)) return failed(L"it does not answer after showing its main window");
  if (GetForegroundWindow() != main_window) {
    SetForegroundWindow(main_window);
    settle(main_window);
  }
  if (!focus_is_on_button(main_window)) return failed(L"the focus is not on the button of its main window");
  if (!quiesce(main_window)) return failed(L"its main window does not come to rest");
  outcome.main_window = describe_window(main_window);
  std::wstring error;
  std::optional<ProcessCost> cost = measure_process(process.handle(), process.id(), error);
  if (!cost) return failed(error);
  figures.with_main_window = *cost;

  // 2. Space on the button to the message window shown with its text.
  const std::wstring message = expected_message();
  const Stopwatch press;
  if (!press_space()) return failed(L"SendInput failed: " + system_message(GetLastError()));
  HWND message_window = nullptr;
  if (!wait_until(step_timeout_ms, [&] {
        message_window = find_shown_window_with_child_text(process.ui_thread(), main_window, message);
        return message_window != nullptr;
      }))
    return failed(L"its message window did not show the message in time");
  figures.press_ms = press.elapsed_ms();

  // The message window's state, once the main window is gone and the new one painted.
  if (!wait_until(step_timeout_ms, [&] { return !IsWindow(main_window); }))
    return failed(L"its main window did not go away after the button press");
  if (!quiesce(message_window)) return failed(L"its message window does not come to rest");
  outcome.message_window = describe_window(message_window);
  cost = measure_process(process.handle(), process.id(), error);
  if (!cost) return failed(error);
  figures.with_message_window = *cost;

  // Closing the last window ends the program with exit code 0.
  if (!PostMessageW(message_window, WM_CLOSE, 0, 0))
    return failed(L"the message window cannot be closed: " + system_message(GetLastError()));
  if (WaitForSingleObject(process.handle(), exit_timeout_ms) != WAIT_OBJECT_0)
    return failed(L"it did not end after its last window was closed");
  DWORD exit_code = 1;
  if (!GetExitCodeProcess(process.handle(), &exit_code))
    return failed(L"its exit code cannot be read: " + system_message(GetLastError()));
  if (exit_code != 0) return failed(L"it ended with exit code " + std::to_wstring(exit_code));
  outcome.figures = figures;
  return outcome;
}

}  // namespace bench
