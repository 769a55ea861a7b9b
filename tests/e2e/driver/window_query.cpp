#include "tests/e2e/driver/window_query.h"

#include "tests/e2e/driver/wait.h"

namespace e2e {

namespace {

struct EnumState {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK collect_owned(HWND window, LPARAM state_address) {
  auto* state = reinterpret_cast<EnumState*>(state_address);
  DWORD owner = 0;
  if (GetWindowThreadProcessId(window, &owner) && owner == state->process_id) state->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> all_top_level_windows(DWORD process_id) {
  EnumState state{process_id, {}};
  // EnumWindows reports failure when the callback stops it; ours never does.
  if (!EnumWindows(collect_owned, reinterpret_cast<LPARAM>(&state))) fail_call("EnumWindows");
  return state.found;
}

std::vector<HWND> visible_windows(DWORD process_id) {
  std::vector<HWND> visible;
  for (HWND window : all_top_level_windows(process_id))
    if (IsWindowVisible(window)) visible.push_back(window);
  return visible;
}

std::vector<HWND> template_windows(DWORD process_id) {
  std::vector<HWND> found;
  for (HWND window : visible_windows(process_id)) {
    if (class_name(window) == template_window_class) found.push_back(window);
  }
  return found;
}

std::vector<HWND> children_in_z_order(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::wstring class_name(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  if (length == 0) return L"<gone>";
  return std::wstring(name, length);
}

std::wstring stored_text(HWND window) {
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(window);
  if (length == 0) {
    if (GetLastError() != ERROR_SUCCESS) fail_call("GetWindowTextLengthW");
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SetLastError(ERROR_SUCCESS);
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  if (copied == 0 && GetLastError() != ERROR_SUCCESS) fail_call("GetWindowTextW");
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring reported_text(HWND window) {
  const auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<size_t>(send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < length ? copied : length);
  return text;
}

std::wstring control_text(HWND control) {
  return class_name(control) == L"Edit" ? reported_text(control) : stored_text(control);
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, send_timeout_ms, &result)) {
    fail_call("SendMessageTimeoutW (message " + to_hex(message) + " to " + describe(window) + ")");
  }
  return static_cast<LRESULT>(result);
}

Box outer_box(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) fail_call("GetWindowRect");
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Box box_in_parent(HWND child) {
  RECT rect;
  if (!GetWindowRect(child, &rect)) fail_call("GetWindowRect");
  HWND parent = GetParent(child);
  if (parent == nullptr) fail_call("GetParent");
  SetLastError(ERROR_SUCCESS);
  if (MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2) == 0 && GetLastError() != ERROR_SUCCESS) {
    fail_call("MapWindowPoints");
  }
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Box centred_box(int width, int height) {
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height};
}

LONG_PTR style_of(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

LONG_PTR ex_style_of(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }

DWORD window_thread(HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0) fail_call("GetWindowThreadProcessId");
  return thread;
}

ThreadFocus thread_focus(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread, &info)) fail_call("GetGUIThreadInfo");
  return {info.hwndFocus, info.hwndActive};
}

std::string describe(HWND window) {
  if (window == nullptr) return "no window";
  if (!IsWindow(window)) return "destroyed window " + to_hex(reinterpret_cast<ULONG_PTR>(window));
  wchar_t text[41];
  const int length = GetWindowTextW(window, text, 41);  // a short prefix is enough to recognise it
  return to_text(class_name(window)) + " " + to_text(std::wstring_view(text, static_cast<size_t>(length))) + " " +
         to_hex(reinterpret_cast<ULONG_PTR>(window));
}

}  // namespace e2e
