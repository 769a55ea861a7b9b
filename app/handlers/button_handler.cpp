#include "app/templates/window_ids.h"
#include "handlers.h"
#include "runtime/runtime.h"

namespace app {

void button_handler() {
  // The main window goes only once the message window is up: if it cannot be loaded the
  // runtime has told the user, and the main window stays so the program remains usable.
  if (!rt::load_window({message_window_template, message_window_unit}, std::nullopt, false)) return;
  rt::destroy_window({main_window_template, main_window_unit});
}

}  // namespace app
