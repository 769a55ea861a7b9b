// A seeded random run: real keyboard and mouse input in any order, as fast as the program takes
// it, with the program's promises checked after every step once input is idle. When the program
// ends, its exit is checked and a new instance carries on; steps count across instances.
//
//   e2e_driver random PROGRAM.EXE [--seed N] [--steps M]
// or E2E_SEED / E2E_STEPS in the environment. Without a seed one is taken from the clock; the
// seed is printed first, and a failure prints it again with the step and the last actions, so
// `--seed N --steps STEP` replays the run up to the failure.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/expected.h"
#include "tests/e2e/driver/gui_objects.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/program_state.h"
#include "tests/e2e/driver/random_actions.h"
#include "tests/e2e/driver/scenario.h"
#include "tests/e2e/driver/scenario_runs.h"
#include "tests/e2e/driver/wait.h"
#include "tests/e2e/driver/window_query.h"

namespace e2e {

namespace {

constexpr std::uint64_t default_steps = 300;
constexpr size_t actions_kept = 20;
// Growth allowed over an instance's first count in the same state: Wine makes a few objects on
// first use and keeps them (up to 4 seen in 1500 steps: a window surface of DC, region and
// bitmap, and a font), so 6 leaves a margin. Opening the system menu
// makes more, about 8 at once (menu fonts, brush, pen, surface); the counts are taken afresh after
// the first menu of an instance so that those do not hide a leak. A leak per key or click
// outgrows this within a few steps.
constexpr int gdi_slack = 6;
constexpr int user_slack = 2;

struct Options {
  std::uint64_t seed = 0;
  std::uint64_t steps = default_steps;
};

std::uint64_t parse_number(const std::string& text, const std::string& what) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19) {
    throw DriverError(what + " must be a decimal number, not \"" + text + "\"");
  }
  return std::stoull(text);
}

std::string ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

Options parse_options(std::span<const std::wstring> arguments) {
  Options options;
  std::optional<std::string> seed = environment(L"E2E_SEED");
  std::optional<std::string> steps = environment(L"E2E_STEPS");
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string flag = ascii(arguments[i]);
    if ((flag != "--seed" && flag != "--steps") || i + 1 == arguments.size()) {
      throw DriverError("unknown option \"" + flag + "\"; random takes --seed N and --steps M");
    }
    (flag == "--seed" ? seed : steps) = ascii(arguments[++i]);
  }
  if (seed) {
    options.seed = parse_number(*seed, "the seed");
  } else {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    options.seed = (static_cast<std::uint64_t>(now.QuadPart) ^ GetTickCount64()) % 1000000000ull;
  }
  if (steps) options.steps = parse_number(*steps, "the number of steps");
  return options;
}

// How the counts of one window state compare over a run.
struct ObjectFigures {
  GuiObjects first;  // the first instance's first count
  int measurements = 0;
  int largest_gdi_growth = 0;
  int largest_user_growth = 0;
  std::string largest_growth;  // the counts before and after the largest GDI growth
};

class RandomRun {
 public:
  RandomRun(Run& run, const Options& options) : run_(run), options_(options) {}

  void go() {
    set_clipboard_text(long_clipboard_text());
    std::unique_ptr<Program> later;
    Program* program = &run_.program;
    for (;;) {
      run_instance(*program);
      if (step_ >= options_.steps) break;
      later.reset();  // the ended instance
      later = std::make_unique<Program>(run_.program.path());
      program = later.get();
    }
    summarise();
  }

  // Everything needed to replay the failure.
  void print_replay() const {
    run_.report.note("random run failed at step " + std::to_string(step_) + " of " + std::to_string(options_.steps) +
                     " (instance " + std::to_string(instances_) + "), seed " + std::to_string(options_.seed));
    run_.report.note("last actions, oldest first:");
    for (const std::string& line : recent_) run_.report.note("  " + line);
    run_.report.note("replay: e2e_driver random PROGRAM.EXE --seed " + std::to_string(options_.seed) + " --steps " +
                     std::to_string(step_) + "   (or E2E_SEED=" + std::to_string(options_.seed) +
                     " through run_scenario.sh / ctest)");
  }

 private:
  void run_instance(Program& program) {
    ++instances_;
    const DWORD process = program.process_id();
    HWND first = nullptr;
    wait_until(
        [&] {
          const std::vector<HWND> shown = template_windows(process);
          first = shown.empty() ? nullptr : shown.front();
          return first != nullptr || !program.running();
        },
        startup_timeout_ms);
    check(first != nullptr, "instance " + std::to_string(instances_) + " shows its main window", "a window",
          program.running() ? "none after " + std::to_string(startup_timeout_ms) + " ms" : "the program ended");
    const DWORD thread = window_thread(first);
    GuiObjectCounter counter(process);
    std::map<std::string, GuiObjects> firsts;  // per window state, this instance's first count
    std::uint64_t instance_steps = 0;
    bool menu_seen = false;

    for (;;) {
      const ProgramState state = settle(program, thread);
      if (!state.running) {
        check_exit(program);
        longest_instance_ = std::max(longest_instance_, instance_steps);
        return;
      }
      check_running_state(state);
      if (state.in_modal_loop() && !menu_seen) {
        menu_seen = true;
        firsts.clear();
      }
      measure_objects(counter, state, firsts);
      if (step_ >= options_.steps) return;

      const Target target = target_of(state);
      ++(target.front == Front::main_window ? steps_in_main_ : steps_in_message_);
      Random random = random_for_step(options_.seed, step_);
      const Action& action = choose_action(target.front, random);
      std::string log = "step " + std::to_string(step_ + 1) + " [" +
                        (target.front == Front::main_window ? "main" : "message") + "] " + std::string(action.name);
      if (action.uses_keyboard && state.foreground != target.window) {
        // Keys reach only the foreground window; never let them reach the desktop instead.
        check(false, "the program's window is in the foreground before keys are sent", describe(target.window),
              describe(state.foreground));
      }
      const std::string detail = action.perform(run_, target, random);
      if (!detail.empty()) log += " " + detail;
      remember(log);
      ++step_;
      ++instance_steps;
      if (step_ % 50 == 0) run_.report.note("step " + std::to_string(step_) + ", instance " + std::to_string(instances_));
    }
  }

  // Waits for input to be idle; a hang or a state that never settles fails the run.
  ProgramState settle(const Program& program, DWORD thread) {
    const std::optional<ProgramState> state = wait_for_idle(program, thread, default_timeout_ms);
    if (!state) {
      const ProgramState now = read_state(program, thread);
      check(false, "input becomes idle", "a steady state within " + std::to_string(default_timeout_ms) + " ms",
            now.describe());
    }
    check(state->answering, "the program answers within " + std::to_string(send_timeout_ms) + " ms (no hang)",
          "an answer", state->describe());
    ++idle_checks_;
    return *state;
  }

  void check_running_state(const ProgramState& state) {
    check(state.main_windows.size() <= 1 && state.message_windows.size() <= 1,
          "at most one main window and at most one message window", "<= 1 of each", state.describe());
    check(state.main_windows.empty() || state.message_windows.empty(),
          "the main and message windows never both remain once input is idle", "one of them", state.describe());
    check(state.shown.size() == 1, "a running program shows exactly one window", "1 window", state.describe());
    // A menu the user opened is the only other window the program may show.
    check(state.others_shown.empty() || state.in_modal_loop(), "no other window shows (an error box, say)", "none",
          state.describe());
    for (HWND message : state.message_windows) {
      if (IsWindowVisible(message)) check_message_label(message);
    }
  }

  void check_message_label(HWND message) {
    const std::vector<HWND> children = children_in_z_order(message);
    check(children.size() == 1 && class_name(children[0]) == template_label_class, "message window holds one label",
          "1 \"TemplateLabel\"", std::to_string(children.size()) + " children");
    const std::wstring text = stored_text(children[0]);
    const std::string gbk = to_gbk(text).value_or("<not GBK>");
    check(gbk == expected::message_gbk, "a shown message window's label holds the whole message",
          hex_bytes(expected::message_gbk), hex_bytes(gbk) + " " + to_text(text));
    ++label_checks_;
  }

  void check_exit(const Program& program) {
    const std::optional<DWORD> code = program.wait_exit(default_timeout_ms);
    check(code == 0u, "the program exits with code 0 when its last window closes", "exit code 0",
          code ? "exit code " + to_hex(*code) : std::string("still running"));
    const std::vector<HWND> left = all_top_level_windows(program.process_id());
    check(left.empty(), "an ended program leaves no window behind", "none",
          std::to_string(left.size()) + " windows, first " + describe(left.empty() ? nullptr : left.front()));
    ++exits_;
  }

  // Counts only in a steady state with nothing but the one window up: an open menu has windows
  // and bitmaps of its own.
  void measure_objects(const GuiObjectCounter& counter, const ProgramState& state,
                       std::map<std::string, GuiObjects>& firsts) {
    if (state.in_modal_loop() || !state.others_shown.empty()) return;
    const std::string key = state_key(state);
    const GuiObjects now = counter.count();
    const auto [entry, fresh] = firsts.emplace(key, now);
    ObjectFigures& figures = figures_[key];
    if (figures.measurements == 0) figures.first = now;
    ++figures.measurements;
    if (fresh) return;
    const int gdi_growth = now.gdi - entry->second.gdi, user_growth = now.user - entry->second.user;
    if (gdi_growth > figures.largest_gdi_growth) {
      figures.largest_gdi_growth = gdi_growth;
      figures.largest_growth = "from " + to_text(entry->second) + " to " + to_text(now) + " at step " +
                               std::to_string(step_);
    }
    figures.largest_user_growth = std::max(figures.largest_user_growth, user_growth);
    check(gdi_growth <= gdi_slack && user_growth <= user_slack,
          "GDI and USER objects stay bounded in the state " + key,
          "at most " + std::to_string(entry->second.gdi + gdi_slack) + " GDI, " +
              std::to_string(entry->second.user + user_slack) + " USER",
          to_text(now) + " (first in this instance " + to_text(entry->second) + ")");
  }

  static std::string state_key(const ProgramState& state) {
    HWND top = state.top();
    if (state.message_windows.size() == 1 && top == state.message_windows[0]) return "message window";
    const std::wstring focus = state.focus != nullptr && GetParent(state.focus) == top ? class_name(state.focus) : L"";
    if (focus == L"Edit") return "main window, focus on the edit box";
    if (focus == L"Button") return "main window, focus on the button";
    return "main window, focus elsewhere";
  }

  static Target target_of(const ProgramState& state) {
    HWND top = state.top();
    if (state.main_windows.size() == 1 && top == state.main_windows[0]) {
      const std::vector<HWND> children = children_in_z_order(top);
      return {Front::main_window, top, children.size() == 3 ? children[2] : nullptr};
    }
    return {Front::message_window, top, nullptr};
  }

  void remember(const std::string& line) {
    recent_.push_back(line);
    if (recent_.size() > actions_kept) recent_.pop_front();
  }

  // Any broken promise ends the run: later steps would only build on a broken state.
  void check(bool passed, const std::string& what, const std::string& expected, const std::string& got) {
    if (passed) return;
    run_.report.fail(what, expected, got);
    throw ScenarioAborted(what);
  }

  void summarise() {
    Report& report = run_.report;
    const std::string steps = std::to_string(step_) + " steps (" + std::to_string(steps_in_main_) + " on the main window, " +
                              std::to_string(steps_in_message_) + " on the message window) over " +
                              std::to_string(instances_) + " instances, longest " + std::to_string(longest_instance_) +
                              " steps";
    report.note(steps);
    report.expect(step_ == options_.steps, "the run made every step asked for", std::to_string(options_.steps),
                  std::to_string(step_));
    report.expect(steps_in_main_ > 0 && steps_in_message_ > 0, "the run worked both windows", "steps on each",
                  steps);
    report.pass("no hang, at most one window of each kind, never both, one window while running: " +
                std::to_string(idle_checks_) + " idle states checked");
    report.pass("a shown message window's label held the whole message: " + std::to_string(label_checks_) + " checks");
    report.pass("every ended instance exited with code 0 and left no window: " + std::to_string(exits_) + " exits");
    for (const auto& [key, figures] : figures_) {
      report.pass("objects in the state " + key + ": first " + to_text(figures.first) + ", " +
                  std::to_string(figures.measurements) + " counts, largest growth within an instance " +
                  std::to_string(figures.largest_gdi_growth) + " GDI / " + std::to_string(figures.largest_user_growth) +
                  " USER");
    if (!figures.largest_growth.empty()) report.note("  largest GDI growth " + figures.largest_growth);
    }
  }

  Run& run_;
  const Options options_;
  std::deque<std::string> recent_;
  std::uint64_t step_ = 0;
  int instances_ = 0;
  std::uint64_t steps_in_main_ = 0, steps_in_message_ = 0, longest_instance_ = 0;
  int idle_checks_ = 0, label_checks_ = 0, exits_ = 0;
  std::map<std::string, ObjectFigures> figures_;
};

}  // namespace

void run_random(Run& run, std::string_view) {
  const Options options = parse_options(run.options);
  // First, so that every run can be replayed, even one that dies.
  std::printf("seed %llu\n", static_cast<unsigned long long>(options.seed));
  std::fflush(stdout);
  run.report.note("random run: seed " + std::to_string(options.seed) + ", " + std::to_string(options.steps) +
                  " steps");
  RandomRun random(run, options);
  try {
    random.go();
  } catch (const ScenarioAborted&) {
    random.print_replay();
    throw;
  } catch (const DriverError&) {
    random.print_replay();
    throw;
  }
}

}  // namespace e2e
