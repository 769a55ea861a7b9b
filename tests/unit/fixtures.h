// Test-only window templates and handlers for the native unit tests, and small helpers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "runtime/headless/headless_backend.h"
#include "runtime/runtime.h"

namespace fixtures {

// Ids with hex letters in them, so that an error message must spell them in upper case.
inline constexpr rt::TemplateId form_template = 0x7a0000c1;
inline constexpr rt::UnitId form_window = 0x0a0000c0;
inline constexpr rt::UnitId form_label = 0x1a0000c1;
inline constexpr rt::UnitId form_edit = 0x1a0000c2;
inline constexpr rt::UnitId form_button = 0x1a0000c3;
inline constexpr rt::UnitId form_hidden_button = 0x1a0000c4;

inline constexpr rt::TemplateId bare_template = 0x7a0000b1;
inline constexpr rt::UnitId bare_window = 0x0a0000b0;
inline constexpr rt::UnitId bare_label = 0x1a0000b1;

inline constexpr rt::TemplateId label_first_template = 0x7a0000d1;
inline constexpr rt::TemplateId unknown_template = 0x7a0000ef;

inline constexpr rt::WindowRef form_ref{form_template, form_window};
inline constexpr rt::WindowRef bare_ref{bare_template, bare_window};

inline constexpr const char* caption_from_created = "set while created";

// What the form's created handler saw while it ran.
struct CreatedEvent {
  int calls = 0;
  bool window_was_visible = false;
  bool label_was_visible = false;
  bool caption_was_set = false;
};

inline CreatedEvent form_created;
inline const rt::HeadlessBackend* watched = nullptr;

// Points the form's created handler at a backend for the life of a test, with a fresh record.
class Watch {
 public:
  explicit Watch(const rt::HeadlessBackend& backend) {
    form_created = {};
    watched = &backend;
  }
  ~Watch() { watched = nullptr; }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;
};

inline void on_form_created() {
  ++form_created.calls;
  if (watched == nullptr) return;
  const rt::HeadlessBackend::Element* window = watched->window(form_template);
  const rt::HeadlessBackend::Element* label = watched->control(form_template, form_label);
  form_created.window_was_visible = window != nullptr && window->visible;
  form_created.label_was_visible = label != nullptr && label->visible;
  form_created.caption_was_set =
      rt::set_control_property(form_template, form_label, rt::property_caption, rt::no_element, caption_from_created);
}

inline constexpr rt::EventBinding form_bindings[] = {{rt::event_created, on_form_created}};

// A window with every kind of control. The stored left and top must be ignored when placing
// it; the hidden button comes last with the same tab-order number as the visible one, so it
// would take the focus if visibility were not checked.
inline constexpr rt::Unit form_units[] = {
    {.id = form_window, .kind = rt::UnitKind::window, .left = 50, .top = 50, .width = 300, .height = 200,
     .text = "Form", .bindings = form_bindings},
    {.id = form_label, .kind = rt::UnitKind::label, .name = "label", .left = 8, .top = 8, .width = 80,
     .height = 16, .text = "before"},
    {.id = form_edit, .kind = rt::UnitKind::edit_box, .name = "edit", .left = 8, .top = 30, .width = 100,
     .height = 24, .tab_stop = true, .tab_order = 1, .text = "typed"},
    {.id = form_button, .kind = rt::UnitKind::push_button, .name = "button", .left = 8, .top = 60, .width = 72,
     .height = 24, .tab_stop = true, .tab_order = 0, .text = "OK"},
    {.id = form_hidden_button, .kind = rt::UnitKind::push_button, .name = "hidden", .left = 90, .top = 60,
     .width = 72, .height = 24, .visible = false, .tab_stop = true, .tab_order = 0, .text = "Hidden"},
};

// A window whose only control is a label: nothing can take the focus.
inline constexpr rt::Unit bare_units[] = {
    {.id = bare_window, .kind = rt::UnitKind::window, .width = 121, .height = 81},
    {.id = bare_label, .kind = rt::UnitKind::label, .name = "label", .width = 50, .height = 16, .text = "bare"},
};

// Not a window template: its first unit is a label.
inline constexpr rt::Unit label_first_units[] = {
    {.id = 0x1a0000d1, .kind = rt::UnitKind::label, .width = 50, .height = 16},
};

inline constexpr rt::Template form{form_template, form_units};
inline constexpr rt::Template bare{bare_template, bare_units};
inline constexpr rt::Template label_first{label_first_template, label_first_units};

inline constexpr const rt::Template* all_templates[] = {&form, &bare, &label_first};

// An id as error messages spell it.
inline std::string hex_id(std::uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
  return text;
}

}  // namespace fixtures
