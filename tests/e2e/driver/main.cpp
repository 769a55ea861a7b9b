// e2e_driver SCENARIO PROGRAM.EXE [OPTIONS]: starts the program, works it with real keyboard and
// mouse input, and prints one line per check. Exits 0 only when every check passed.
// Only "random" takes options: --seed N --steps M.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/report.h"
#include "tests/e2e/driver/scenario.h"

namespace {

std::string narrow(const wchar_t* text) {
  std::string out;
  for (; *text != L'\0'; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

int usage() {
  std::fprintf(stderr, "usage: e2e_driver SCENARIO PROGRAM.EXE [--seed N] [--steps M]\nscenarios:");
  for (const e2e::Scenario& scenario : e2e::all_scenarios()) {
    std::fprintf(stderr, " %.*s", static_cast<int>(scenario.name.size()), scenario.name.data());
  }
  std::fprintf(stderr, "\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return usage();
  const std::string name = narrow(argv[1]);
  const e2e::Scenario* chosen = nullptr;
  for (const e2e::Scenario& scenario : e2e::all_scenarios()) {
    if (scenario.name == name) chosen = &scenario;
  }
  if (chosen == nullptr || (argc > 3 && !chosen->takes_options)) return usage();
  const std::vector<std::wstring> options(argv + 3, argv + argc);

  e2e::Report report;
  report.note("scenario " + name);
  try {
    e2e::Program program(argv[2]);  // ends the program on the way out should it still run
    e2e::Run run{report, program, options};
    chosen->run(run, chosen->name);
  } catch (const e2e::ScenarioAborted& stopped) {
    report.note(std::string("scenario stopped: ") + stopped.what());
  } catch (const e2e::DriverError& error) {
    report.fail("the driver could do its work", "no error", error.what());
  }
  std::printf("%s: %d passed, %d failed\n", name.c_str(), report.passed(), report.failed());
  return report.failed() == 0 && report.passed() > 0 ? 0 : 1;
}
