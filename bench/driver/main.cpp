// The benchmark driver: runs the program and the hand-written reference by turns (A B A B ...)
// after a warm-up and prints, for each measure, the medians and the ratio program/reference.
//
// Usage: bench_driver [--runs N] [--warmup N] [--raw FILE.csv] PROGRAM.exe REFERENCE.exe
// Exit code: 0 when every run did its job, whatever the figures (a missed target is reported,
// it is not a failure); 1 when a program failed to do its job; 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "run_once.h"
#include "statistics.h"
#include "window_facts.h"

namespace {

using bench::RunFigures;

constexpr double ratio_target = 1.05;

struct Measure {
  const char* name;
  const char* unit;
  double (*pick)(const RunFigures&);
  bool must_be_equal;  // object counts: equal to the reference's, not within a ratio
};

const Measure measures[] = {
    {"Launch to main window painted", "ms", [](const RunFigures& f) { return f.launch_ms; }, false},
    {"Space to message shown", "ms", [](const RunFigures& f) { return f.press_ms; }, false},
    {"Peak working set, main window", "KiB", [](const RunFigures& f) { return f.with_main_window.peak_working_set_kib; }, false},
    {"Private bytes, main window", "KiB", [](const RunFigures& f) { return f.with_main_window.private_kib; }, false},
    {"Peak working set, message window", "KiB", [](const RunFigures& f) { return f.with_message_window.peak_working_set_kib; }, false},
    {"Private bytes, message window", "KiB", [](const RunFigures& f) { return f.with_message_window.private_kib; }, false},
    {"GDI objects, main window", "", [](const RunFigures& f) { return f.with_main_window.gdi_objects; }, true},
    {"USER objects, main window", "", [](const RunFigures& f) { return f.with_main_window.user_objects; }, true},
    {"GDI objects, message window", "", [](const RunFigures& f) { return f.with_message_window.gdi_objects; }, true},
    {"USER objects, message window", "", [](const RunFigures& f) { return f.with_message_window.user_objects; }, true},
};

struct Options {
  int runs = 40;
  int warmup = 2;
  std::wstring raw_path;
  std::wstring program;
  std::wstring reference;
};

struct Contender {
  const char* name;
  std::wstring executable;
  std::vector<RunFigures> runs;
  std::vector<bench::WindowFacts> main_window;
  std::vector<bench::WindowFacts> message_window;
};

bool parse(int argc, wchar_t** argv, Options& options) {
  std::vector<std::wstring> programs;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    const bool has_value = i + 1 < argc;
    if (argument == L"--runs" && has_value) {
      options.runs = _wtoi(argv[++i]);
    } else if (argument == L"--warmup" && has_value) {
      options.warmup = _wtoi(argv[++i]);
    } else if (argument == L"--raw" && has_value) {
      options.raw_path = argv[++i];
    } else if (argument.rfind(L"--", 0) == 0) {
      return false;
    } else {
      programs.push_back(argument);
    }
  }
  if (programs.size() != 2 || options.runs < 1 || options.warmup < 0) return false;
  options.program = programs[0];
  options.reference = programs[1];
  return true;
}

// One run of one contender; the outcome's figures are empty when it failed.
bool run_and_keep(Contender& contender, bool keep) {
  bench::RunOutcome outcome = bench::run_once(contender.executable);
  if (!outcome.figures) {
    std::fprintf(stderr, "bench_driver: the %s failed: %s\n", contender.name, bench::to_utf8(outcome.error).c_str());
    return false;
  }
  if (contender.main_window.empty()) {
    contender.main_window = outcome.main_window;
    contender.message_window = outcome.message_window;
  }
  if (keep) contender.runs.push_back(*outcome.figures);
  return true;
}

std::vector<double> samples_of(const Contender& contender, const Measure& measure) {
  std::vector<double> samples;
  for (const RunFigures& run : contender.runs) samples.push_back(measure.pick(run));
  return samples;
}

std::string format_value(const Measure& measure, const std::vector<double>& samples) {
  char text[96];
  const double middle = bench::median(samples);
  if (std::string(measure.unit) == "ms")
    std::snprintf(text, sizeof text, "%.1f (%.1f-%.1f)", middle, bench::quantile(samples, 0.25),
                  bench::quantile(samples, 0.75));
  else
    std::snprintf(text, sizeof text, "%.0f", middle);
  return text;
}

// Program over reference, round by round: a slow spell of the machine hits both runs of a
// round alike, so this is steadier than the ratio of the medians.
double median_of_round_ratios(const Contender& program, const Contender& reference, const Measure& measure) {
  std::vector<double> ratios;
  for (size_t round = 0; round < program.runs.size() && round < reference.runs.size(); ++round)
    ratios.push_back(measure.pick(program.runs[round]) / measure.pick(reference.runs[round]));
  return bench::median(ratios);
}

void print_table(const Contender& program, const Contender& reference) {
  std::printf("| Measure | Program | Reference | Program / reference | Same round | Target | Met |\n");
  std::printf("|---|---:|---:|---:|---:|---|---|\n");
  for (const Measure& measure : measures) {
    const std::vector<double> ours = samples_of(program, measure);
    const std::vector<double> theirs = samples_of(reference, measure);
    const double ratio = bench::median(ours) / bench::median(theirs);
    const bool met = measure.must_be_equal ? bench::median(ours) == bench::median(theirs) : ratio <= ratio_target;
    const std::string name = *measure.unit ? std::string(measure.name) + " (" + measure.unit + ")" : measure.name;
    std::printf("| %s | %s | %s | %.3f | %.3f | %s | %s |\n", name.c_str(), format_value(measure, ours).c_str(),
                format_value(measure, theirs).c_str(), ratio, median_of_round_ratios(program, reference, measure),
                measure.must_be_equal ? "equal" : "<= 1.05", met ? "yes" : "**no**");
  }
  std::printf("\nMedians of %zu runs each, interquartile range in brackets. \"Same round\": the median of the\n"
              "ratios of the two runs of each round, a check on the ratio of the medians, which the target is on.\n",
              program.runs.size());
}

void print_notes(const Contender& program, const Contender& reference) {
  const bool counted_here = program.runs.front().with_main_window.gui_counted_here;
  if (counted_here)
    std::printf("GDI and USER objects: the system does not count them (GetGuiResources is a stub), so they were\n"
                "counted from outside: live non-stock entries of the process's GDI handle table, and the windows\n"
                "the process owns (USER objects other than windows are not seen).\n");
  std::vector<std::string> found = bench::differences(program.main_window, reference.main_window);
  for (const std::string& line : bench::differences(program.message_window, reference.message_window))
    found.push_back("message " + line);
  if (found.empty()) {
    std::printf("Both programs build the same windows: kinds of control, styles, places, texts and focus match.\n");
    return;
  }
  std::printf("The reference does NOT build the same windows as the program:\n");
  for (const std::string& line : found) std::printf("- %s\n", line.c_str());
}

bool write_raw(const std::wstring& path, const Contender& program, const Contender& reference) {
  FILE* file = _wfopen(path.c_str(), L"w");
  if (!file) return false;
  std::fprintf(file, "contender,run");
  for (const Measure& measure : measures) std::fprintf(file, ",\"%s%s%s\"", measure.name, *measure.unit ? " " : "", measure.unit);
  std::fprintf(file, "\n");
  for (const Contender* contender : {&program, &reference}) {
    for (size_t run = 0; run < contender->runs.size(); ++run) {
      std::fprintf(file, "%s,%zu", contender->name, run + 1);
      for (const Measure& measure : measures) std::fprintf(file, ",%.3f", measure.pick(contender->runs[run]));
      std::fprintf(file, "\n");
    }
  }
  return std::fclose(file) == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: bench_driver [--runs N] [--warmup N] [--raw FILE.csv] PROGRAM.exe REFERENCE.exe\n");
    return 2;
  }
  Contender program{"program", options.program, {}, {}, {}};
  Contender reference{"reference", options.reference, {}, {}, {}};

  for (int round = 0; round < options.warmup + options.runs; ++round) {
    const bool keep = round >= options.warmup;
    if (!run_and_keep(program, keep) || !run_and_keep(reference, keep)) return 1;
    if (keep)
      std::fprintf(stderr, "run %d/%d: launch %.1f / %.1f ms, press %.1f / %.1f ms (program / reference)\n",
                   round - options.warmup + 1, options.runs, program.runs.back().launch_ms,
                   reference.runs.back().launch_ms, program.runs.back().press_ms, reference.runs.back().press_ms);
  }

  print_table(program, reference);
  std::printf("\n");
  print_notes(program, reference);
  if (!options.raw_path.empty() && !write_raw(options.raw_path, program, reference)) {
    std::fprintf(stderr, "bench_driver: the raw figures could not be written\n");
    return 1;
  }
  return 0;
}
