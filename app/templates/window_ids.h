// Ids of the program's windows and of the controls its handlers reach.
#pragma once

#include "runtime/window_template.h"

namespace app {

inline constexpr rt::TemplateId main_window_template = 0x52010001;
inline constexpr rt::UnitId main_window_unit = 0x06010000;

inline constexpr rt::TemplateId message_window_template = 0x5201002e;
inline constexpr rt::UnitId message_window_unit = 0x0601002d;
inline constexpr rt::UnitId message_label_unit = 0x1601002f;

}  // namespace app
