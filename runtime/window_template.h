// Window templates: a window and its controls described as data.
#pragma once

#include <cstdint>
#include <span>

namespace rt {

using TemplateId = std::uint32_t;
using UnitId = std::uint32_t;

// A handler routine bound to an event: no arguments, no result.
using Handler = void (*)();

// Event indices. Event 0 means "created" on a window and "clicked" on a push button.
inline constexpr int event_created = 0;
inline constexpr int event_clicked = 0;

enum class UnitKind : std::uint8_t { window, label, edit_box, push_button };

struct EventBinding {
  int event_index;
  Handler handler;
};

// One unit of a template: the window itself (always the first unit) or one of its controls.
// Members left out in a template take the defaults below. Texts are GBK bytes ended by a zero.
struct Unit {
  UnitId id = 0;
  UnitKind kind = UnitKind::label;
  const char* name = "";  // controls only
  // For a window the outer frame on the screen; for a control relative to the client area.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool disabled = false;
  bool tab_stop = false;
  int tab_order = 0;
  const char* text = "";  // window caption, label or button caption, initial edit text
  std::span<const EventBinding> bindings = {};
};

// Units in record order: record order is the controls' z-order and Tab order too.
struct Template {
  TemplateId id;
  std::span<const Unit> units;
};

}  // namespace rt
