// One measured run of a program: start it, wait for its main window, press the button, wait
// for the message window, close it, and note what each step cost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "process_probe.h"
#include "window_facts.h"

namespace bench {

struct RunFigures {
  double launch_ms = 0;  // process start to the main window shown and painted
  double press_ms = 0;   // Space sent to the message window shown with its text
  ProcessCost with_main_window;
  ProcessCost with_message_window;
};

struct RunOutcome {
  std::optional<RunFigures> figures;  // empty when the run failed
  std::wstring error;
  std::vector<WindowFacts> main_window;
  std::vector<WindowFacts> message_window;
};

RunOutcome run_once(const std::wstring& executable);

}  // namespace bench
