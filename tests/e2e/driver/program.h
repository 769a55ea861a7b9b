// The program under test as a child process that never outlives the driver.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

class Program {
 public:
  explicit Program(const std::wstring& exe_path);
  ~Program();  // terminates the program if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const std::wstring& path() const { return path_; }
  DWORD process_id() const { return info_.dwProcessId; }
  bool running() const;
  // The exit code once the process has ended within timeout_ms, nothing if it still runs.
  std::optional<DWORD> wait_exit(DWORD timeout_ms) const;

 private:
  std::wstring path_;
  PROCESS_INFORMATION info_{};
};

}  // namespace e2e
