// The platform-neutral heart of the runtime: the template registry, the set of loaded windows,
// building a window from its template and dispatching bound events to their handlers.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "../runtime.h"
#include "backend.h"

namespace rt {

// Fixed capacities keep the runtime free of heap allocation; a larger table or template is
// reported, not truncated silently.
inline constexpr std::size_t max_templates = 16;
inline constexpr std::size_t max_units = 32;

class Core final : public EventSink {
 public:
  explicit Core(Backend& backend);
  ~Core();
  Core(const Core&) = delete;
  Core& operator=(const Core&) = delete;

  bool initialise(std::span<const Template* const> templates);
  void load_start_window(TemplateId template_id);
  bool load_window(WindowRef window, std::optional<WindowRef> parent, bool as_dialog);
  bool destroy_window(WindowRef window);
  void run_event_loop();
  bool set_control_property(TemplateId template_id, UnitId control, int property_index,
                            int element_index, const char* value);

  std::size_t loaded_count() const;
  bool is_loaded(TemplateId template_id) const;

  void on_control_event(NativeHandle control, int event_index) override;
  void on_window_destroyed(NativeHandle window) override;

 private:
  struct LoadedWindow {
    const Template* source = nullptr;
    NativeHandle window = 0;
    NativeHandle controls[max_units] = {};  // by record index; [0] unused
  };

  std::optional<std::size_t> template_index(TemplateId template_id) const;
  LoadedWindow* loaded(TemplateId template_id);
  const char* build(const Template& source, NativeHandle owner, LoadedWindow& built);
  void report_load_failure(WindowRef window, const char* reason);

  Backend& backend_;
  std::span<const Template* const> templates_;
  LoadedWindow loaded_[max_templates];  // parallel to templates_
};

}  // namespace rt
