#include "tests/e2e/driver/scenario_runs.h"

namespace e2e {

namespace {

constexpr Scenario scenarios[] = {
    {"main-window", run_main_window},
    {"keyboard-focus", run_keyboard_focus},
    {"esc-from-edit", run_close_scenario},
    {"esc-from-button", run_close_scenario},
    {"alt-f4", run_close_scenario},
    {"close-box", run_close_scenario},
    {"message-window", run_message_scenario},
    {"message-close-box", run_message_scenario},
    {"mouse-click-button", run_message_scenario},
    {"typed-text-then-press", run_message_scenario},
    {"long-paste-then-press", run_message_scenario},
    {"double-press", run_message_scenario},
    {"pose", run_pose},
    {"random", run_random, true},
};

}  // namespace

std::span<const Scenario> all_scenarios() { return scenarios; }

}  // namespace e2e
