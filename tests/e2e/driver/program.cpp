#include "tests/e2e/driver/program.h"

#include "tests/e2e/driver/report.h"

namespace e2e {

Program::Program(const std::wstring& exe_path) : path_(exe_path) {
  std::wstring command_line = L"\"" + exe_path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe_path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_)) {
    fail_call("CreateProcessW");
  }
}

Program::~Program() {
  if (running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Program::running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::wait_exit(DWORD timeout_ms) const {
  const DWORD waited = WaitForSingleObject(info_.hProcess, timeout_ms);
  if (waited == WAIT_TIMEOUT) return std::nullopt;
  if (waited != WAIT_OBJECT_0) fail_call("WaitForSingleObject");
  DWORD code = 0;
  if (!GetExitCodeProcess(info_.hProcess, &code)) fail_call("GetExitCodeProcess");
  return code;
}

}  // namespace e2e
