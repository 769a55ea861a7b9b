// The driver's output: one "ok - ..." or "not ok - ..." line per check, and a closing count.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace e2e {

// A window rectangle as position and size.
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Box&) const = default;
};

// Thrown when the driver itself cannot go on: a Win32 call it needs failed.
struct DriverError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Thrown after a failed check that the rest of the scenario depends on.
struct ScenarioAborted : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws DriverError naming the call and GetLastError().
[[noreturn]] void fail_call(std::string_view call);
[[noreturn]] void fail_call(std::string_view call, DWORD error);

std::string to_text(long long value);
std::string to_text(bool value);
std::string to_text(const Box& box);
std::string to_text(std::string_view text);   // quoted
std::string to_text(std::wstring_view text);  // quoted, non-ASCII as \uXXXX
std::string to_hex(unsigned long long value);
std::string hex_bytes(std::string_view bytes);

class Report {
 public:
  void pass(std::string_view what);
  void fail(std::string_view what, std::string_view expected, std::string_view got);
  void note(std::string_view text);

  bool expect(bool passed, std::string_view what, std::string_view expected, std::string_view got);
  template <class T>
  bool expect_equal(std::string_view what, const T& expected, const T& got) {
    return expect(expected == got, what, to_text(expected), to_text(got));
  }
  // Like expect, but the scenario stops here when it fails.
  void require(bool passed, std::string_view what, std::string_view expected, std::string_view got);

  int passed() const { return passed_; }
  int failed() const { return failed_; }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

}  // namespace e2e
