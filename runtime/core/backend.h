// What the platform-neutral core needs from a windowing system. The Win32 backend serves the
// real program; the headless backend serves the tests.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../window_template.h"

namespace rt {

// A window or control of the backend; 0 is none.
using NativeHandle = std::uintptr_t;

struct Size {
  int width;
  int height;
};

struct Point {
  int x;
  int y;
};

// Events the backend reports to the core.
class EventSink {
 public:
  // A control fired an event (a push button's click).
  virtual void on_control_event(NativeHandle control, int event_index) = 0;
  // A window is gone, whether the program or the user destroyed it.
  virtual void on_window_destroyed(NativeHandle window) = 0;

 protected:
  ~EventSink() = default;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual void attach(EventSink* sink) = 0;
  virtual Size screen_size() = 0;

  // Creation returns 0 on failure and keeps the reason for the next show_error().
  // The window is created hidden with the unit's outer size at `origin`; `owner` may be 0.
  virtual NativeHandle create_window(const Template& source, Point origin, NativeHandle owner) = 0;
  // Controls are created hidden, each placed last in the window's z-order (and so Tab order).
  virtual NativeHandle create_control(NativeHandle window, const Unit& unit) = 0;

  virtual void show_control(NativeHandle control) = 0;
  virtual void show_window(NativeHandle window) = 0;
  // Gives the keyboard focus to a control, or to the window itself.
  virtual void set_focus(NativeHandle target) = 0;
  virtual void restore_or_activate(NativeHandle window) = 0;
  virtual bool set_control_text(NativeHandle control, const char* gbk_text) = 0;

  // Queues the window's destruction for the event loop; false if it could not be queued.
  virtual bool post_destroy(NativeHandle window) = 0;
  // Destroys a half-built window at once.
  virtual void destroy_now(NativeHandle window) = 0;

  // Waits for the next event and dispatches it; false when no more events can come.
  virtual bool dispatch_next() = 0;

  // Shows an error to the user (ASCII text), with the reason of the last failed creation.
  virtual void show_error(const char* message) = 0;
  [[noreturn]] virtual void end_process(int exit_code) = 0;
};

}  // namespace rt
