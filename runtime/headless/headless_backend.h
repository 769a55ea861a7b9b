// An in-memory windowing system: the core and the program run on it in tests, with input
// scripted by the test and every effect open to inspection.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/backend.h"

namespace rt {

// Thrown by end_process(): lets a test see the exit code where a process would end.
struct ProcessEnded {
  int exit_code;
};

class HeadlessBackend final : public Backend {
 public:
  struct Element {
    NativeHandle parent = 0;  // 0 for a window
    NativeHandle owner = 0;
    const Unit* unit = nullptr;
    TemplateId template_id = 0;
    std::string text;  // GBK
    Point origin{};    // windows: outer origin on the screen
    bool visible = false;
    bool alive = true;
    bool minimised = false;
    std::vector<NativeHandle> children;  // controls in z-order
  };

  explicit HeadlessBackend(Size screen = {1024, 768}) : screen_(screen) {}

  // Inspection.
  const Element* window(TemplateId template_id) const;  // the live window of a template
  const Element* control(TemplateId template_id, UnitId unit_id) const;
  const Element& element(NativeHandle handle) const { return elements_.at(handle - 1); }
  NativeHandle window_handle(TemplateId template_id) const;
  NativeHandle control_handle(TemplateId template_id, UnitId unit_id) const;
  std::size_t live_windows() const;
  std::size_t windows_created() const { return windows_created_; }
  NativeHandle focus() const { return focus_; }
  NativeHandle active() const { return active_; }
  const std::vector<std::string>& errors() const { return errors_; }
  std::size_t pending_events() const { return queue_.size(); }

  // Faults to inject: creation of the window of this template, or of this control, fails.
  void fail_window_creation(TemplateId template_id) { failing_window_ = template_id; }
  void fail_control_creation(UnitId unit_id) { failing_control_ = unit_id; }

  // The user's actions, carried out at once.
  void click(TemplateId template_id, UnitId unit_id);  // a push button, if visible and enabled
  void close(TemplateId template_id);                   // close box, Esc or Alt+F4
  void minimise(TemplateId template_id);
  // The user's actions, queued for the event loop.
  void queue_click(TemplateId template_id, UnitId unit_id);
  void queue_close(TemplateId template_id);

  // Backend.
  void attach(EventSink* sink) override { sink_ = sink; }
  Size screen_size() override { return screen_; }
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
  Element* live(NativeHandle handle);
  void destroy(NativeHandle window);

  Size screen_;
  EventSink* sink_ = nullptr;
  std::vector<Element> elements_;  // handle = index + 1; never reused
  std::deque<std::function<void()>> queue_;
  std::vector<std::string> errors_;
  NativeHandle focus_ = 0;
  NativeHandle active_ = 0;
  std::size_t windows_created_ = 0;
  std::optional<TemplateId> failing_window_;
  std::optional<UnitId> failing_control_;
  bool failure_pending_ = false;
};

}  // namespace rt
