// The entry routine: bring up the main window and hand over to the event loop.
#include "app/templates/templates.h"
#include "app/templates/window_ids.h"
#include "runtime/entry.h"
#include "runtime/runtime.h"

std::int32_t app_main() {
  rt::initialise_application(app::all_templates());
  rt::load_start_window(app::main_window_template);
  rt::run_event_loop();
  return 0;
}
