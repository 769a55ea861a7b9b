// The program's window templates.
#pragma once

#include <span>

#include "runtime/window_template.h"

namespace app {

extern const rt::Template main_window;
extern const rt::Template message_window;

// Every template of the program, for the runtime's registry.
std::span<const rt::Template* const> all_templates();

}  // namespace app
