// Reading the program's windows from outside its process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/report.h"

namespace e2e {

inline constexpr const wchar_t* template_window_class = L"TemplateWindow";
inline constexpr const wchar_t* template_label_class = L"TemplateLabel";

// Top-level windows of the process, shown or not.
std::vector<HWND> all_top_level_windows(DWORD process_id);
// Visible top-level windows of the process, of any class.
std::vector<HWND> visible_windows(DWORD process_id);
// Visible top-level windows of the process built from a template.
std::vector<HWND> template_windows(DWORD process_id);
// Child windows from the top of the z-order down.
std::vector<HWND> children_in_z_order(HWND parent);

std::wstring class_name(HWND window);
// The text the system keeps for the window, as GetWindowTextW returns it for another process.
std::wstring stored_text(HWND window);
// The text the control itself reports through WM_GETTEXT (the only way to read an edit box).
std::wstring reported_text(HWND window);
// A control's text, read the way that works for its class from another process.
std::wstring control_text(HWND control);

// SendMessageTimeoutW to the program's thread; throws when the program does not answer.
LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

Box outer_box(HWND window);
// The window's rectangle in its parent's client coordinates.
Box box_in_parent(HWND child);
// Where a window of this size starts so that it is centred on the screen.
Box centred_box(int width, int height);

LONG_PTR style_of(HWND window);
LONG_PTR ex_style_of(HWND window);

struct ThreadFocus {
  HWND focus = nullptr;
  HWND active = nullptr;
};
// Focus and active window of a thread of the program.
ThreadFocus thread_focus(DWORD thread_id);
// The thread that owns the window; throws when the window is gone.
DWORD window_thread(HWND window);

// "Button \"...\" 0x..." for messages.
std::string describe(HWND window);

}  // namespace e2e
