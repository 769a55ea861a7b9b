#include "tests/e2e/driver/report.h"

#include <cstdio>

namespace e2e {

void fail_call(std::string_view call) { fail_call(call, GetLastError()); }

void fail_call(std::string_view call, DWORD error) {
  throw DriverError(std::string(call) + " failed with error " + std::to_string(error));
}

std::string to_text(long long value) { return std::to_string(value); }

std::string to_text(bool value) { return value ? "true" : "false"; }

std::string to_text(const Box& box) {
  return "(" + std::to_string(box.x) + "," + std::to_string(box.y) + "," + std::to_string(box.width) + "," +
         std::to_string(box.height) + ")";
}

std::string to_text(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string to_text(std::wstring_view text) {
  std::string out = "\"";
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7f && c != L'\\' && c != L'"') {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    }
  }
  return out + "\"";
}

std::string to_hex(unsigned long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

std::string hex_bytes(std::string_view bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%s%02x", out.empty() ? "" : " ", b);
    out += pair;
  }
  return "[" + out + "]";
}

void Report::pass(std::string_view what) {
  ++passed_;
  std::printf("ok - %.*s\n", static_cast<int>(what.size()), what.data());
  std::fflush(stdout);
}

void Report::fail(std::string_view what, std::string_view expected, std::string_view got) {
  ++failed_;
  std::printf("not ok - %.*s: expected %.*s got %.*s\n", static_cast<int>(what.size()), what.data(),
              static_cast<int>(expected.size()), expected.data(), static_cast<int>(got.size()), got.data());
  std::fflush(stdout);
}

void Report::note(std::string_view text) {
  std::printf("# %.*s\n", static_cast<int>(text.size()), text.data());
  std::fflush(stdout);
}

bool Report::expect(bool passed, std::string_view what, std::string_view expected, std::string_view got) {
  if (passed) {
    pass(what);
  } else {
    fail(what, expected, got);
  }
  return passed;
}

void Report::require(bool passed, std::string_view what, std::string_view expected, std::string_view got) {
  if (!expect(passed, what, expected, got)) throw ScenarioAborted(std::string(what));
}

}  // namespace e2e
