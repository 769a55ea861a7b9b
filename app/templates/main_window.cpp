// The main window: edit box, push button and signature label.
#include "app/handlers/handlers.h"
#include "templates.h"
#include "window_ids.h"

namespace app {

namespace {

constexpr rt::EventBinding button_bindings[] = {{rt::event_clicked, button_handler}};

// Texts are GBK bytes. A literal is split after a hex escape so that a following digit
// cannot join the escape.
constexpr rt::Unit units[] = {
    {.id = main_window_unit, .kind = rt::UnitKind::window,
     .left = 50, .top = 50, .width = 209, .height = 156, .text = "Varnholt"},
    {.id = 0x16010069, .kind = rt::UnitKind::label, .name = "\xb1\xea\xc7\xa9" "1",  // 标签1
     .left = 120, .top = 104, .width = 80, .height = 16, .text = "Quellin"},
    {.id = 0x16010009, .kind = rt::UnitKind::edit_box, .name = "\xb1\xe0\xbc\xad\xbf\xf2" "1",  // 编辑框1
     .left = 56, .top = 8, .width = 104, .height = 32, .tab_stop = true},
    {.id = 0x16010008, .kind = rt::UnitKind::push_button, .name = "\xb0\xb4\xc5\xa5" "1",  // 按钮1
     .left = 64, .top = 64, .width = 72, .height = 32, .tab_stop = true,
     .text = "\xb0\xb4\xc5\xa5",  // 按钮
     .bindings = button_bindings},
};

}  // namespace

const rt::Template main_window{main_window_template, units};

}  // namespace app
