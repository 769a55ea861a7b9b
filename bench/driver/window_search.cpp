#include "window_search.h"

namespace bench {

namespace {

struct ProcessWindows {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_if_owned(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ProcessWindows*>(context);
  DWORD owner = 0;
  if (GetWindowThreadProcessId(window, &owner) && owner == search->process_id) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK collect(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

// For a top-level window WS_VISIBLE alone says whether it is shown: no parents to ask.
bool is_shown_top_level(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

BOOL CALLBACK count_one(HWND, LPARAM context) {
  ++*reinterpret_cast<int*>(context);
  return TRUE;
}

}  // namespace

std::wstring window_text(HWND window) {
  // Another process's window text comes from the system's copy: no message is sent.
  wchar_t text[256];
  const int length = GetWindowTextW(window, text, 256);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring class_name(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> top_level_windows(DWORD process_id) {
  ProcessWindows search{process_id, {}};
  EnumWindows(collect_if_owned, reinterpret_cast<LPARAM>(&search));
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
    collect_if_owned(window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> children_of(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

int count_window_tree(HWND top) {
  int count = 1;
  EnumChildWindows(top, count_one, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::vector<HWND> thread_windows(DWORD thread_id) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread_id, collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND find_shown_window(DWORD thread_id, const std::wstring& caption) {
  for (HWND window : thread_windows(thread_id))
    if (is_shown_top_level(window) && window_text(window) == caption) return window;
  return nullptr;
}

HWND find_shown_window_with_child_text(DWORD thread_id, HWND other, const std::wstring& text) {
  for (HWND window : thread_windows(thread_id)) {
    if (window == other || !is_shown_top_level(window)) continue;
    for (HWND child : children_of(window))
      if (window_text(child) == text) return window;
  }
  return nullptr;
}

bool is_fully_painted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child : children_of(window))
    if (!IsWindowVisible(child) || GetUpdateRect(child, nullptr, FALSE)) return false;
  return true;
}

}  // namespace bench
