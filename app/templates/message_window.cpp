// The message window: one label that its created handler fills in.
#include "app/handlers/handlers.h"
#include "templates.h"
#include "window_ids.h"

namespace app {

namespace {

constexpr rt::EventBinding window_bindings[] = {{rt::event_created, message_window_handler}};

constexpr rt::Unit units[] = {
    {.id = message_window_unit, .kind = rt::UnitKind::window,
     .left = 50, .top = 50, .width = 213, .height = 115, .bindings = window_bindings},
    {.id = message_label_unit, .kind = rt::UnitKind::label, .name = "\xb1\xea\xc7\xa9" "1",  // 标签1
     .left = 32, .top = 24, .width = 136, .height = 32},
};

}  // namespace

const rt::Template message_window{message_window_template, units};

}  // namespace app
