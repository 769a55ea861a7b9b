// The runtime's windows on the Win32 API: wide functions only, texts converted from GBK.
#pragma once

#include <windows.h>

#include "runtime/core/backend.h"

namespace rt::win32 {

inline constexpr const wchar_t* window_class_name = L"TemplateWindow";

class Win32Backend final : public Backend {
 public:
  Win32Backend(HINSTANCE instance, int first_show_command);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  // Registers the window classes and picks the font; shows the error and returns false
  // when the program cannot run.
  bool start();

  void attach(EventSink* sink) override { sink_ = sink; }
  Size screen_size() override;
  NativeHandle create_window(const Template& source, Point origin, NativeHandle owner) override;
  NativeHandle create_control(NativeHandle window, const Unit& unit) override;
  void show_control(NativeHandle control) override;
  void show_window(NativeHandle window) override;
  void set_focus(NativeHandle target) override;
  void restore_or_activate(NativeHandle window) override;
  bool set_control_text(NativeHandle control, const char* gbk_text) override;
  bool post_destroy(NativeHandle window) override;
  void destroy_now(NativeHandle window) override;
  bool dispatch_next() override;
  void show_error(const char* message) override;
  [[noreturn]] void end_process(int exit_code) override;

 private:
  static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  bool is_template_window(HWND window) const;
  void note_failure() { failure_ = GetLastError(); }

  HINSTANCE instance_;
  int first_show_command_;
  bool shown_any_ = false;
  EventSink* sink_ = nullptr;
  ATOM window_class_ = 0;
  HFONT font_ = nullptr;
  bool font_owned_ = false;
  WORD next_control_id_ = 100;  // clear of IDOK and IDCANCEL, which the dialog keys send
  DWORD failure_ = 0;           // system error code of the last failed creation
};

}  // namespace rt::win32
