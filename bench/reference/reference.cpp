// The yardstick of the benchmark: the program's two windows written straight against the
// Win32 API, with no templates and no runtime. Same classes of controls, styles, texts, font,
// icon and manifest, same keyboard behaviour: what the smallest hand-written program doing the
// same job costs.
#include <windows.h>
#include <commctrl.h>

#include "app/handlers/message_text.h"

namespace {

constexpr UINT gbk_code_page = 936;
constexpr UINT destroy_request = WM_APP + 1;  // posted: the window goes when the loop next runs
constexpr int saved_focus_slot = 0;           // frame extra bytes: focus kept across deactivation
constexpr int label_font_slot = 0;            // label extra bytes: the font from WM_SETFONT
constexpr int program_icon_id = 1;            // in app.rc
// Control ids clear of IDOK and IDCANCEL, which Enter and Esc send.
constexpr int label_id = 100, edit_id = 101, button_id = 102;

const wchar_t frame_class[] = L"ReferenceWindow";
const wchar_t label_class[] = L"ReferenceLabel";

HINSTANCE instance;
HFONT font;
HWND main_window;
HWND message_window;
int open_windows;

// GBK bytes to UTF-16 into a fixed buffer; the texts here are short.
bool gbk_to_wide(const char* gbk, int length, wchar_t* out, int capacity) {
  const int written = MultiByteToWideChar(gbk_code_page, MB_ERR_INVALID_CHARS, gbk, length, out, capacity - 1);
  if (written <= 0) return false;
  out[written] = L'\0';
  return true;
}

void report_failure(const wchar_t* what) { MessageBoxW(nullptr, what, nullptr, MB_OK | MB_ICONERROR); }

// --- the label: one line of text drawn on the parent's background ---

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(label, &area);
      auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(GetParent(label), GCLP_HBRBACKGROUND));
      if (background) FillRect(reinterpret_cast<HDC>(wparam), &area, background);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(label, &ps);
      if (dc) {
        wchar_t text[64];
        const int length = GetWindowTextW(label, text, 64);
        RECT area;
        GetClientRect(label, &area);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(label, label_font_slot)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text, length, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
      }
      EndPaint(label, &ps);
      return 0;
    }
    case WM_SETFONT:
      SetWindowLongPtrW(label, label_font_slot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(label, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(label, label_font_slot);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return DefWindowProcW(label, message, wparam, lparam);
  }
}

// --- the two windows ---

HWND create_frame(const wchar_t* caption, int width, int height) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND frame = CreateWindowExW(WS_EX_APPWINDOW, frame_class, caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, x, y,
                               width, height, nullptr, nullptr, instance, nullptr);
  if (frame) ++open_windows;
  return frame;
}

// Children go to the bottom of the z-order as they are created: creation order is Tab order.
HWND add_control(HWND parent, DWORD extended_style, const wchar_t* class_name, const char* gbk_text, DWORD style,
                 int x, int y, int width, int height, int id) {
  wchar_t text[64];
  if (!gbk_to_wide(gbk_text, -1, text, 64)) return nullptr;
  HWND control = CreateWindowExW(extended_style, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

bool open_main_window(int show_command) {
  main_window = create_frame(L"Varnholt", 209, 156);
  if (!main_window) return false;
  HWND edit = nullptr, button = nullptr;
  if (!add_control(main_window, 0, label_class, "Quellin", 0, 120, 104, 80, 16, label_id) ||
      !(edit = add_control(main_window, WS_EX_CLIENTEDGE, WC_EDITW, "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 56, 8,
                           104, 32, edit_id)) ||
      !(button = add_control(main_window, 0, WC_BUTTONW, "\xb0\xb4\xc5\xa5",  // 按钮
                             WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 64, 64, 72, 32, button_id))) {
    DestroyWindow(main_window);
    return false;
  }
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);  // no limit beyond the system's
  ShowWindow(main_window, show_command);
  UpdateWindow(main_window);
  SetFocus(button);
  return true;
}

bool open_message_window() {
  message_window = create_frame(L"", 213, 115);
  if (!message_window) return false;
  char text[sizeof app::message_text + 1] = {};
  for (size_t i = 0; i < sizeof app::message_text; ++i) text[i] = static_cast<char>(app::message_text[i]);
  if (!add_control(message_window, 0, label_class, text, 0, 32, 24, 136, 32, label_id)) {
    DestroyWindow(message_window);
    return false;
  }
  ShowWindow(message_window, SW_SHOW);
  UpdateWindow(message_window);
  SetFocus(message_window);
  return true;
}

// Moves the focus like the dialog keys do, selecting an edit box's text as it arrives.
void move_focus(HWND frame, WPARAM wparam, LPARAM lparam) {
  HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(frame, GetFocus(), wparam != 0);
  if (!target) return;
  SetFocus(target);
  if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0 && HIWORD(wparam) == BN_CLICKED) {
        if (open_message_window())
          PostMessageW(main_window, destroy_request, 0, 0);
        else
          report_failure(L"The message window could not be created.");
      } else if (lparam == 0 && LOWORD(wparam) == IDCANCEL) {
        SendMessageW(frame, WM_CLOSE, 0, 0);  // Esc closes; Enter (IDOK) does nothing
      }
      return 0;
    case WM_NEXTDLGCTL:
      move_focus(frame, wparam, lparam);
      return 0;
    case WM_ACTIVATE: {
      HWND focus = GetFocus();
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (focus && IsChild(frame, focus)) SetWindowLongPtrW(frame, saved_focus_slot, reinterpret_cast<LONG_PTR>(focus));
        return 0;
      }
      auto saved = reinterpret_cast<HWND>(GetWindowLongPtrW(frame, saved_focus_slot));
      if (saved && IsWindow(saved) && !HIWORD(wparam)) {
        SetFocus(saved);
        return 0;
      }
      break;
    }
    case destroy_request:
      DestroyWindow(frame);
      return 0;
    case WM_DESTROY:
      if (frame == main_window) main_window = nullptr;
      if (frame == message_window) message_window = nullptr;
      if (--open_windows == 0) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(frame, message, wparam, lparam);
}

bool register_classes() {
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = frame_proc;
  frame.cbWndExtra = sizeof(LONG_PTR);
  frame.hInstance = instance;
  frame.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(program_icon_id), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
  frame.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(program_icon_id), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = frame_class;

  WNDCLASSEXW label{};
  label.cbSize = sizeof label;
  label.style = CS_HREDRAW | CS_VREDRAW;
  label.lpfnWndProc = label_proc;
  label.cbWndExtra = sizeof(LONG_PTR);
  label.hInstance = instance;
  label.hCursor = frame.hCursor;
  label.lpszClassName = label_class;
  return RegisterClassExW(&frame) && RegisterClassExW(&label);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE this_instance, HINSTANCE, PWSTR, int show_command) {
  instance = this_instance;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);  // version 6 controls, as the manifest asks

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font = CreateFontIndirectW(&metrics.lfMessageFont);
  const bool own_font = font != nullptr;
  if (!own_font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  if (!register_classes() || !open_main_window(show_command)) {
    report_failure(L"The main window could not be created.");
    return -1;
  }

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) {
      report_failure(L"The message loop failed.");
      return -1;
    }
    // Tab, Esc and Enter work as in a dialog in both windows.
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && (root == main_window || root == message_window) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (own_font) DeleteObject(font);
  return 0;
}
