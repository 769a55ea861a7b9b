// What a running process costs: memory and window-system objects.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace bench {

struct ProcessCost {
  double peak_working_set_kib = 0;
  double private_kib = 0;
  double gdi_objects = 0;
  double user_objects = 0;
  // True when the system does not count GUI objects (GetGuiResources is a stub under Wine)
  // and they were counted here instead: GDI objects from the process's GDI handle table,
  // USER objects as the windows the process owns.
  bool gui_counted_here = false;
};

// The process must have been opened with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
// Empty, with the reason in `error`, when a figure cannot be had.
std::optional<ProcessCost> measure_process(HANDLE process, DWORD process_id, std::wstring& error);

}  // namespace bench
