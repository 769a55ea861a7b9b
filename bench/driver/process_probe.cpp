#include "process_probe.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

#include "system_error.h"
#include "window_search.h"

namespace bench {

namespace {

// Where the process environment block keeps the address of the GDI handle table.
#ifdef _WIN64
constexpr size_t peb_gdi_table_offset = 0xF8;
#else
constexpr size_t peb_gdi_table_offset = 0x94;
#endif

// One slot of the GDI handle table as Wine lays it out (the same size on 32 and 64 bits).
struct GdiHandleSlot {
  UINT64 object;
  ULONG owner;
  BYTE type_and_stock;  // low 7 bits: object type; top bit: a stock object
  BYTE generation;      // 0 until the slot is first used: slots are handed out in order
  BYTE type;            // 0 while the slot is free
  BYTE flags;
  UINT64 user_pointer;
};
static_assert(sizeof(GdiHandleSlot) == 24);

constexpr size_t first_gdi_slot = 32;  // the slots below are never handed out
constexpr size_t gdi_slot_count = 0x10000;

// Live GDI objects other than stock objects, which GetGuiResources does not count either.
std::optional<double> count_gdi_from_table(HANDLE process, std::wstring& error) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG returned = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &returned) != 0) {
    error = L"the process environment block cannot be found";
    return std::nullopt;
  }
  UINT_PTR table = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + peb_gdi_table_offset, &table,
                         sizeof table, nullptr) ||
      table == 0) {
    error = L"the GDI handle table cannot be read: " + system_message(GetLastError());
    return std::nullopt;
  }
  std::vector<GdiHandleSlot> slots(1024);
  double live = 0;
  for (size_t first = 0; first < gdi_slot_count; first += slots.size()) {
    const auto* address = reinterpret_cast<const BYTE*>(table) + first * sizeof(GdiHandleSlot);
    if (!ReadProcessMemory(process, address, slots.data(), slots.size() * sizeof(GdiHandleSlot), nullptr)) {
      error = L"the GDI handle table cannot be read: " + system_message(GetLastError());
      return std::nullopt;
    }
    for (size_t i = 0; i < slots.size(); ++i) {
      if (first + i < first_gdi_slot) continue;
      if (slots[i].generation == 0) return live;  // past the last slot ever used
      if (slots[i].type != 0 && (slots[i].type_and_stock & 0x80) == 0) ++live;
    }
  }
  return live;
}

double count_owned_windows(DWORD process_id) {
  double windows = 0;
  for (HWND top : top_level_windows(process_id)) windows += count_window_tree(top);
  return windows;
}

}  // namespace

std::optional<ProcessCost> measure_process(HANDLE process, DWORD process_id, std::wstring& error) {
  ProcessCost cost;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    error = L"GetProcessMemoryInfo failed: " + system_message(GetLastError());
    return std::nullopt;
  }
  cost.peak_working_set_kib = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
  // Wine leaves PrivateUsage at 0 and reports the committed private memory as PagefileUsage,
  // which is what PrivateUsage holds on Windows.
  const SIZE_T private_bytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  cost.private_kib = static_cast<double>(private_bytes) / 1024.0;

  SetLastError(ERROR_SUCCESS);
  const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD gdi_error = GetLastError();
  const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  if (gdi != 0 || user != 0) {
    cost.gdi_objects = gdi;
    cost.user_objects = user;
    return cost;
  }
  if (gdi_error != ERROR_CALL_NOT_IMPLEMENTED) {
    error = L"GetGuiResources failed: " + system_message(gdi_error);
    return std::nullopt;
  }
  std::optional<double> gdi_live = count_gdi_from_table(process, error);
  if (!gdi_live) return std::nullopt;
  cost.gdi_objects = *gdi_live;
  cost.user_objects = count_owned_windows(process_id);
  cost.gui_counted_here = true;
  return cost;
}

}  // namespace bench
