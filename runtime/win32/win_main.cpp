// Process start-up on Windows: set up the Win32 backend and run the program on it.
#include <windows.h>

#include "runtime/core/session.h"
#include "win32_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  rt::win32::Win32Backend backend(instance, show_command);
  if (!backend.start()) return -1;
  return rt::run_program(backend);
}
