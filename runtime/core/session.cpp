#include "session.h"

#include "../entry.h"

namespace rt {

namespace {
Session* current = nullptr;
}

Session::Session(Backend& backend) : core_(backend), previous_(current) { current = this; }

Session::~Session() { current = previous_; }

std::int32_t run_program(Backend& backend) {
  Session session(backend);
  return app_main();
}

// The operations a program calls act on the current session; outside one they do nothing
// and report failure.

bool initialise_application(std::span<const Template* const> templates) {
  return current && current->core().initialise(templates);
}

void load_start_window(TemplateId template_id) {
  if (current) current->core().load_start_window(template_id);
}

void run_event_loop() {
  if (current) current->core().run_event_loop();
}

bool load_window(WindowRef window, std::optional<WindowRef> parent, bool as_dialog) {
  return current && current->core().load_window(window, parent, as_dialog);
}

bool destroy_window(WindowRef window) { return current && current->core().destroy_window(window); }

bool set_control_property(TemplateId template_id, UnitId control, int property_index, int element_index,
                          const char* value) {
  return current && current->core().set_control_property(template_id, control, property_index, element_index, value);
}

}  // namespace rt
