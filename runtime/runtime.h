// The runtime operations a program calls. Windows and controls are named by template id
// and unit id, never by pointer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "window_template.h"

namespace rt {

struct WindowRef {
  TemplateId template_id;
  UnitId unit_id;
};

// GBK bytes ended by a zero byte. A text returned by the runtime belongs to the caller,
// who hands it back through release().
using Text = char*;
using ByteArray = std::span<const unsigned char>;

// Property indices for set_control_property().
inline constexpr int property_caption = 8;
// Element index of a control that is not a member of a control array.
inline constexpr int no_element = -1;

// Makes the program's templates known by their ids; called once, first.
// Reports an unusable table (too many templates, a repeated id) and returns false.
bool initialise_application(std::span<const Template* const> templates);

// Builds and shows the start window as load_window() does. If that fails the error has been
// shown and the process ends with exit code -1: this call does not return then.
void load_start_window(TemplateId template_id);

// Dispatches events until the last loaded window has been destroyed.
void run_event_loop();

// Builds the window, fires its created event, shows it and returns without waiting for it to
// close. A window that is already loaded is restored or activated instead. On failure the
// error is shown and the result is false.
bool load_window(WindowRef window, std::optional<WindowRef> parent, bool as_dialog);

// Posts the destruction of a loaded window: it goes once the event loop next runs, after the
// calling handler has returned. False when the window is not loaded.
bool destroy_window(WindowRef window);

// Sets a property of a control of a loaded window; the control shows it at once.
// False, with nothing changed, for a missing control, unknown index or unusable value.
bool set_control_property(TemplateId template_id, UnitId control, int property_index,
                          int element_index, const char* value);

// A new text holding the bytes up to the first zero byte (all if there is none).
// Absent (nullptr) only when memory runs out.
Text bytes_to_text(ByteArray bytes);

// Frees a text the runtime returned; an absent text is ignored.
void release(Text text);

}  // namespace rt
