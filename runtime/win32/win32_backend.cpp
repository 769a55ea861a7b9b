#include "win32_backend.h"

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>

#include "gbk.h"
#include "label_control.h"

namespace rt::win32 {

namespace {

// Posted to a window to destroy it from the event loop.
constexpr UINT destroy_request = WM_APP + 1;
// Window extra bytes of a template window: the control that had the focus when it was deactivated.
constexpr int saved_focus_slot = 0;
constexpr int program_icon_id = 1;

HWND as_hwnd(NativeHandle handle) { return reinterpret_cast<HWND>(handle); }
NativeHandle as_handle(HWND hwnd) { return reinterpret_cast<NativeHandle>(hwnd); }

HFONT create_message_font() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HICON load_program_icon(HINSTANCE instance, int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(program_icon_id), IMAGE_ICON,
                                       GetSystemMetrics(width_metric), GetSystemMetrics(height_metric),
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

// Moves the focus on like the dialog keys do, selecting an edit box's text as it arrives.
void focus_next(HWND window, WPARAM wparam, LPARAM lparam) {
  HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                               : GetNextDlgTabItem(window, GetFocus(), wparam != 0 ? TRUE : FALSE);
  if (target == nullptr) return;
  SetFocus(target);
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

// Tab, Shift+Tab and Enter, which the system's dialog-key handling gets wrong for a window that
// is not a dialog: it makes a push button the default button when Tab reaches it, and Enter
// then presses it. Here Tab only moves the focus and Enter does nothing. True when handled.
bool handle_dialog_key(HWND window, const MSG& message) {
  // VK_TAB and VK_RETURN equal the characters '\t' and '\r', so this covers WM_CHAR too.
  const bool tab = message.wParam == VK_TAB, enter = message.wParam == VK_RETURN;
  if ((message.message != WM_KEYDOWN && message.message != WM_CHAR) || (!tab && !enter)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const LRESULT wants = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (tab && (wants & DLGC_WANTTAB)) return false;
  if (tab && message.message == WM_KEYDOWN) focus_next(window, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
  return true;
}

// One backend serves the process; the window procedure finds it here.
Win32Backend* the_backend = nullptr;

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance, int first_show_command)
    : instance_(instance), first_show_command_(first_show_command) {}

Win32Backend::~Win32Backend() {
  if (font_owned_) DeleteObject(font_);
}

bool Win32Backend::start() {
  // Brings in version 6 of the common controls that the manifest asks for. Should it fail,
  // creating the first control fails and says so.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  font_ = create_message_font();
  font_owned_ = font_ != nullptr;
  if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = window_proc;
  window_class.cbWndExtra = sizeof(LONG_PTR);
  window_class.hInstance = instance_;
  window_class.hIcon = load_program_icon(instance_, SM_CXICON, SM_CYICON);
  window_class.hIconSm = load_program_icon(instance_, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = window_class_name;
  window_class_ = RegisterClassExW(&window_class);
  if (window_class_ == 0 || !register_label_class(instance_)) {
    note_failure();
    show_error("The program's window classes could not be registered.");
    return false;
  }
  return true;
}

Size Win32Backend::screen_size() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

NativeHandle Win32Backend::create_window(const Template& source, Point origin, NativeHandle owner) {
  const Unit& frame = source.units[0];
  WideText caption(frame.text);
  if (!caption.ok()) {
    note_failure();
    return 0;
  }
  // A fixed frame with caption bar, system menu and close box; no sizing, no minimize or
  // maximize box; always a taskbar button.
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, window_class_name, caption.get(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, origin.x, origin.y, frame.width,
                                frame.height, as_hwnd(owner), nullptr, instance_, this);
  if (window == nullptr) note_failure();
  return as_handle(window);
}

NativeHandle Win32Backend::create_control(NativeHandle window, const Unit& unit) {
  const wchar_t* class_name = label_class_name;
  DWORD style = WS_CHILD;
  DWORD extended_style = 0;
  switch (unit.kind) {
    case UnitKind::label:
      break;
    case UnitKind::edit_box:
      class_name = WC_EDITW;
      style |= ES_LEFT | ES_AUTOHSCROLL;
      extended_style = WS_EX_CLIENTEDGE;
      break;
    case UnitKind::push_button:
      class_name = WC_BUTTONW;
      style |= BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
      break;
    case UnitKind::window:
      SetLastError(ERROR_INVALID_PARAMETER);
      note_failure();
      return 0;
  }
  if (unit.tab_stop) style |= WS_TABSTOP;
  if (unit.disabled) style |= WS_DISABLED;

  WideText text(unit.text);
  if (!text.ok()) {
    note_failure();
    return 0;
  }
  // A new child goes last in its parent's z-order, so record order is both z-order and Tab order.
  HWND control = CreateWindowExW(extended_style, class_name, text.get(), style, unit.left, unit.top, unit.width,
                                 unit.height, as_hwnd(window), reinterpret_cast<HMENU>(UINT_PTR{next_control_id_}),
                                 instance_, nullptr);
  if (control == nullptr) {
    note_failure();
    return 0;
  }
  if (++next_control_id_ == 0) next_control_id_ = 100;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // No length limit beyond the system's own.
  if (unit.kind == UnitKind::edit_box) SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  return as_handle(control);
}

void Win32Backend::show_control(NativeHandle control) { ShowWindow(as_hwnd(control), SW_SHOWNA); }

void Win32Backend::show_window(NativeHandle window) {
  // The first window honours how the program was asked to start (normal, minimised...).
  ShowWindow(as_hwnd(window), shown_any_ ? SW_SHOW : first_show_command_);
  shown_any_ = true;
  UpdateWindow(as_hwnd(window));
}

void Win32Backend::set_focus(NativeHandle target) { SetFocus(as_hwnd(target)); }

void Win32Backend::restore_or_activate(NativeHandle window) {
  if (IsIconic(as_hwnd(window)))
    ShowWindow(as_hwnd(window), SW_RESTORE);
  else
    SetForegroundWindow(as_hwnd(window));
}

bool Win32Backend::set_control_text(NativeHandle control, const char* gbk_text) {
  WideText text(gbk_text);
  return text.ok() && SetWindowTextW(as_hwnd(control), text.get());
}

bool Win32Backend::post_destroy(NativeHandle window) {
  return PostMessageW(as_hwnd(window), destroy_request, 0, 0) != FALSE;
}

void Win32Backend::destroy_now(NativeHandle window) { DestroyWindow(as_hwnd(window)); }

bool Win32Backend::is_template_window(HWND window) const {
  return window != nullptr && GetClassWord(window, GCW_ATOM) == window_class_;
}

bool Win32Backend::dispatch_next() {
  MSG message;
  const BOOL got = GetMessageW(&message, nullptr, 0, 0);
  if (got == 0) return false;  // WM_QUIT
  if (got == -1) {
    failure_ = GetLastError();
    show_error("The event loop could not read its messages.");
    return false;
  }
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (is_template_window(root) && (handle_dialog_key(root, message) || IsDialogMessageW(root, &message))) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

void Win32Backend::show_error(const char* message) {
  WideText what(message);
  wchar_t* reason = nullptr;
  if (failure_ != 0) {
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, failure_, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
    failure_ = 0;
  }
  const size_t length = std::wcslen(what.get()) + (reason ? std::wcslen(reason) : 0) + 3;
  auto* shown = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * length));
  if (shown) {
    std::wcscpy(shown, what.get());
    if (reason) {
      std::wcscat(shown, L"\n\n");
      std::wcscat(shown, reason);
    }
  }
  // A null caption gives the system's own "Error".
  if (!MessageBoxW(GetActiveWindow(), shown ? shown : what.get(), nullptr, MB_OK | MB_ICONERROR))
    OutputDebugStringW(shown ? shown : what.get());
  std::free(shown);
  if (reason) LocalFree(reason);
}

void Win32Backend::end_process(int exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }

LRESULT CALLBACK Win32Backend::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) the_backend = static_cast<Win32Backend*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
  return the_backend ? the_backend->handle(window, message, wparam, lparam)
                     : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Win32Backend::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0 && HIWORD(wparam) == BN_CLICKED) {
        if (sink_) sink_->on_control_event(static_cast<NativeHandle>(lparam), event_clicked);
      } else if (lparam == 0 && LOWORD(wparam) == IDCANCEL) {
        SendMessageW(window, WM_CLOSE, 0, 0);  // Esc closes the window
      }
      return 0;  // IDOK from Enter is ignored on purpose: Enter does nothing
    case WM_NEXTDLGCTL:
      focus_next(window, wparam, lparam);
      return 0;
    case WM_ACTIVATE: {
      // Keep the focused control across deactivation, as a dialog does.
      HWND focus = GetFocus();
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (focus && IsChild(window, focus)) SetWindowLongPtrW(window, saved_focus_slot, reinterpret_cast<LONG_PTR>(focus));
        return 0;
      }
      auto saved = reinterpret_cast<HWND>(GetWindowLongPtrW(window, saved_focus_slot));
      if (saved && IsWindow(saved) && !HIWORD(wparam)) {
        SetFocus(saved);
        return 0;
      }
      break;
    }
    case destroy_request:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (sink_) sink_->on_window_destroyed(as_handle(window));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace rt::win32
