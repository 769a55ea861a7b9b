#include "templates.h"

namespace app {

std::span<const rt::Template* const> all_templates() {
  static const rt::Template* const table[] = {&main_window, &message_window};
  return table;
}

}  // namespace app
