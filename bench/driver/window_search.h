// Finding another process's windows by process id, caption and children: never by class, so
// the program and the reference can name their classes as they like.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

std::wstring window_text(HWND window);
std::wstring class_name(HWND window);

// Every top-level window of the process, shown or not, message-only ones included.
std::vector<HWND> top_level_windows(DWORD process_id);
// Direct children in z-order, which is also Tab order.
std::vector<HWND> children_of(HWND parent);
// The window and all its descendants.
int count_window_tree(HWND top);

// The top-level windows of one thread. Polling uses these, not every window of the desktop:
// each window looked at costs the window server a request, taken from the program measured.
std::vector<HWND> thread_windows(DWORD thread_id);

// A shown top-level window of the thread with this caption.
HWND find_shown_window(DWORD thread_id, const std::wstring& caption);
// A shown top-level window of the thread, other than `other`, with a child showing `text`.
HWND find_shown_window_with_child_text(DWORD thread_id, HWND other, const std::wstring& text);

// Shown, with every child shown, and no update region pending on the window or any child:
// everything on it has been painted.
bool is_fully_painted(HWND window);

}  // namespace bench
