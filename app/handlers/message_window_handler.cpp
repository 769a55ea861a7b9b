#include "app/templates/window_ids.h"
#include "handlers.h"
#include "message_text.h"
#include "runtime/runtime.h"

namespace app {

void message_window_handler() {
  rt::Text text = rt::bytes_to_text(message_text);
  rt::set_control_property(message_window_template, message_label_unit, rt::property_caption, rt::no_element, text);
  rt::release(text);
}

}  // namespace app
