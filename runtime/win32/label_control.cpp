#include "label_control.h"

#include <cstdlib>

namespace rt::win32 {

namespace {

constexpr int font_slot = 0;  // window extra bytes: the font set by WM_SETFONT

void paint(HWND label) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(label, &ps);
  if (dc == nullptr) return;
  RECT area;
  GetClientRect(label, &area);
  const int length = GetWindowTextLengthW(label);
  wchar_t small[64];
  wchar_t* text = length < 64 ? small : static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * (length + 1)));
  if (text != nullptr) {
    const int copied = GetWindowTextW(label, text, length + 1);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(label, font_slot));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    // One line, left-aligned, vertically centred; '&' is drawn as itself.
    DrawTextW(dc, text, copied, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (previous) SelectObject(dc, previous);
    if (text != small) std::free(text);
  }
  EndPaint(label, &ps);
}

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      // Transparent: what shows behind the text is the parent's own background.
      RECT area;
      GetClientRect(label, &area);
      auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(GetParent(label), GCLP_HBRBACKGROUND));
      if (background) FillRect(reinterpret_cast<HDC>(wparam), &area, background);
      return 1;
    }
    case WM_PAINT:
      paint(label);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(label, message, wparam, lparam);
      // Show the new text at once, not at the next idle paint; a label not yet on screen
      // (its window is still being built) paints when it is shown.
      if ((GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE) && (GetWindowLongW(GetParent(label), GWL_STYLE) & WS_VISIBLE)) {
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
      }
      return result;
    }
    case WM_SETFONT:
      SetWindowLongPtrW(label, font_slot, static_cast<LONG_PTR>(wparam));
      if (LOWORD(lparam)) InvalidateRect(label, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(label, font_slot);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks fall through to the window, as on a static text
    default:
      return DefWindowProcW(label, message, wparam, lparam);
  }
}

}  // namespace

bool register_label_class(HINSTANCE instance) {
  WNDCLASSEXW label_class{};
  label_class.cbSize = sizeof label_class;
  label_class.style = CS_HREDRAW | CS_VREDRAW;
  label_class.lpfnWndProc = label_proc;
  label_class.cbWndExtra = sizeof(LONG_PTR);
  label_class.hInstance = instance;
  label_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  label_class.lpszClassName = label_class_name;
  return RegisterClassExW(&label_class) != 0;
}

}  // namespace rt::win32
