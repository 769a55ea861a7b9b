// The scenarios, one function each; scenario_table.cpp names them.
#pragma once

#include "tests/e2e/driver/scenario.h"

namespace e2e {

void run_main_window(Run& run, std::string_view name);
void run_keyboard_focus(Run& run, std::string_view name);
void run_close_scenario(Run& run, std::string_view name);
void run_message_scenario(Run& run, std::string_view name);
void run_pose(Run& run, std::string_view name);
void run_random(Run& run, std::string_view name);

}  // namespace e2e
